#include "vtk/unstructured_grid.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "io/error.hpp"
#include "support/files.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::vtk {
namespace {

using fracflow::testing::readFile;
using fracflow::testing::TempDir;

constexpr const char* kHeader =
    "<?xml version=\"1.0\"?>\n"
    "<VTKFile type=\"UnstructuredGrid\" version=\"1.0\" byte_order=\"LittleEndian\" "
    "header_type=\"UInt64\">\n"
    "  <UnstructuredGrid>\n";

TEST(VtkUnstructuredGrid, LinesShareTheirCommonPoint) {
  TempDir dir;
  const std::string name = (dir.path() / "Network.0001.vtu").string();
  UnstructuredGrid grid;
  grid.points = {0.0, 0.5, 1.25, 0.5, 2.0, 1.0};
  grid.shape = CellShape::Line;
  grid.connectivity = {0, 1, 1, 2};
  grid.pointData.push_back(
      floatArray("head", {10.0, std::numeric_limits<double>::quiet_NaN(), 0.0}));
  grid.cellData.push_back(floatArray("perm", {1e-3, 2.5}));
  grid.cellData.push_back(byteArray("backbone", {1, 0}));
  writeUnstructuredGrid(name, grid);
  EXPECT_EQ(readFile(name),
            std::string(kHeader) +
                "    <Piece NumberOfPoints=\"3\" NumberOfCells=\"2\">\n"
                "      <PointData Scalars=\"head\">\n"
                "        <DataArray type=\"Float64\" Name=\"head\" format=\"ascii\">\n"
                "10\nnan\n0\n"
                "        </DataArray>\n"
                "      </PointData>\n"
                "      <CellData Scalars=\"perm\">\n"
                "        <DataArray type=\"Float64\" Name=\"perm\" format=\"ascii\">\n"
                "0.001\n2.5\n"
                "        </DataArray>\n"
                "        <DataArray type=\"UInt8\" Name=\"backbone\" format=\"ascii\">\n"
                "1\n0\n"
                "        </DataArray>\n"
                "      </CellData>\n"
                "      <Points>\n"
                "        <DataArray type=\"Float64\" Name=\"Points\" "
                "NumberOfComponents=\"3\" format=\"ascii\">\n"
                "0 0.5 0\n1.25 0.5 0\n2 1 0\n"
                "        </DataArray>\n"
                "      </Points>\n"
                "      <Cells>\n"
                "        <DataArray type=\"Int32\" Name=\"connectivity\" format=\"ascii\">\n"
                "0 1\n1 2\n"
                "        </DataArray>\n"
                "        <DataArray type=\"Int32\" Name=\"offsets\" format=\"ascii\">\n"
                "2\n4\n"
                "        </DataArray>\n"
                "        <DataArray type=\"UInt8\" Name=\"types\" format=\"ascii\">\n"
                "3\n3\n"
                "        </DataArray>\n"
                "      </Cells>\n"
                "    </Piece>\n"
                "  </UnstructuredGrid>\n"
                "</VTKFile>\n");
}

TEST(VtkUnstructuredGrid, NoCellsAndNoDataStillMakeAValidFile) {
  TempDir dir;
  const std::string name = (dir.path() / "Particles.0001.vtu").string();
  UnstructuredGrid grid;
  grid.shape = CellShape::Vertex;
  writeUnstructuredGrid(name, grid);
  EXPECT_EQ(readFile(name),
            std::string(kHeader) +
                "    <Piece NumberOfPoints=\"0\" NumberOfCells=\"0\">\n"
                "      <Points>\n"
                "        <DataArray type=\"Float64\" Name=\"Points\" "
                "NumberOfComponents=\"3\" format=\"ascii\">\n"
                "        </DataArray>\n"
                "      </Points>\n"
                "      <Cells>\n"
                "        <DataArray type=\"Int32\" Name=\"connectivity\" format=\"ascii\">\n"
                "        </DataArray>\n"
                "        <DataArray type=\"Int32\" Name=\"offsets\" format=\"ascii\">\n"
                "        </DataArray>\n"
                "        <DataArray type=\"UInt8\" Name=\"types\" format=\"ascii\">\n"
                "        </DataArray>\n"
                "      </Cells>\n"
                "    </Piece>\n"
                "  </UnstructuredGrid>\n"
                "</VTKFile>\n");
}

TEST(VtkUnstructuredGrid, AFileThatCannotBeCreatedIsNamed) {
  TempDir dir;
  const auto blocked = dir.path() / "Network.0002.vtu";
  std::filesystem::create_directory(blocked);
  UnstructuredGrid grid;
  try {
    writeUnstructuredGrid(blocked.string(), grid);
    FAIL() << "expected an error";
  } catch (const Error& error) {
    EXPECT_EQ(error.kind(), ErrorKind::Output);
    EXPECT_NE(std::string(error.what()).find("Network.0002.vtu"), std::string::npos);
  }
}

}  // namespace
}  // namespace fracflow::vtk
