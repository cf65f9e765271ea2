#include "vtk/image_data.hpp"

#include <gtest/gtest.h>

#include "support/files.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::vtk {
namespace {

using fracflow::testing::readFile;
using fracflow::testing::TempDir;

TEST(VtkImageData, CellsXFastestWithTheSpacingInFullDigits) {
  TempDir dir;
  const std::string name = (dir.path() / "Grid.0001.vti").string();
  ImageData image{3, 1, 100.0 / 3.0, 0.5, {}};
  image.cellData.push_back(floatArray("head", {1.0, 2.0, 3.0}));
  image.cellData.push_back(floatArray("faceK", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 4));
  writeImageData(name, image);
  EXPECT_EQ(readFile(name),
            "<?xml version=\"1.0\"?>\n"
            "<VTKFile type=\"ImageData\" version=\"1.0\" byte_order=\"LittleEndian\" "
            "header_type=\"UInt64\">\n"
            "  <ImageData WholeExtent=\"0 3 0 1 0 0\" Origin=\"0 0 0\" "
            "Spacing=\"33.333333333333336 0.5 1\">\n"
            "    <Piece Extent=\"0 3 0 1 0 0\">\n"
            "      <CellData Scalars=\"head\">\n"
            "        <DataArray type=\"Float64\" Name=\"head\" format=\"ascii\">\n"
            "1\n2\n3\n"
            "        </DataArray>\n"
            "        <DataArray type=\"Float64\" Name=\"faceK\" NumberOfComponents=\"4\" "
            "format=\"ascii\">\n"
            "1 2 3 4\n5 6 7 8\n9 10 11 12\n"
            "        </DataArray>\n"
            "      </CellData>\n"
            "    </Piece>\n"
            "  </ImageData>\n"
            "</VTKFile>\n");
}

}  // namespace
}  // namespace fracflow::vtk
