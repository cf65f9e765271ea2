// Image data files.
#include "vtk/image_data.hpp"

#include <cstddef>

#include "io/check.hpp"
#include "io/number_format.hpp"
#include "vtk/xml_writer.hpp"

namespace fracflow::vtk {

void writeImageData(const std::string& fileName, const ImageData& image) {
  FRACFLOW_CHECK(image.cellsX >= 0 && image.cellsY >= 0);
  const auto cells =
      static_cast<std::size_t>(image.cellsX) * static_cast<std::size_t>(image.cellsY);
  const std::string extent =
      "0 " + io::formatInteger(image.cellsX) + " 0 " + io::formatInteger(image.cellsY) + " 0 0";

  XmlFile file(fileName, "ImageData");
  file.open(1, "ImageData",
            "WholeExtent=\"" + extent + "\" Origin=\"0 0 0\" Spacing=\"" +
                io::formatRoundTrip(image.spacingX) + " " + io::formatRoundTrip(image.spacingY) +
                " 1\"");
  file.open(2, "Piece", "Extent=\"" + extent + "\"");
  if (!image.cellData.empty()) {
    file.open(3, "CellData", "Scalars=\"" + escapeAttribute(image.cellData.front().name) + "\"");
    for (const DataArray& array : image.cellData) {
      FRACFLOW_CHECK(array.tupleCount() == cells);
      file.dataArray(4, array);
    }
    file.close(3, "CellData");
  }
  file.close(2, "Piece");
  file.close(1, "ImageData");
  file.finish();
}

}  // namespace fracflow::vtk
