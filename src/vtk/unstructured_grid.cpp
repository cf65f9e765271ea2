// Unstructured grid files.
#include "vtk/unstructured_grid.hpp"

#include "io/check.hpp"
#include "io/number_format.hpp"
#include "vtk/xml_writer.hpp"

namespace fracflow::vtk {
namespace {

std::size_t pointsPerCell(CellShape shape) { return shape == CellShape::Line ? 2 : 1; }

// Point and cell data: the first array of each kind is the one ParaView shows at first.
void writeData(XmlFile& file, std::string_view tag, const std::vector<DataArray>& arrays,
               std::size_t tuples) {
  if (arrays.empty()) return;
  file.open(3, tag, "Scalars=\"" + escapeAttribute(arrays.front().name) + "\"");
  for (const DataArray& array : arrays) {
    FRACFLOW_CHECK(array.tupleCount() == tuples);
    file.dataArray(4, array);
  }
  file.close(3, tag);
}

}  // namespace

std::size_t UnstructuredGrid::cellCount() const {
  return connectivity.size() / pointsPerCell(shape);
}

void writeUnstructuredGrid(const std::string& fileName, const UnstructuredGrid& grid) {
  FRACFLOW_CHECK(grid.points.size() % 2 == 0);
  FRACFLOW_CHECK(grid.connectivity.size() % pointsPerCell(grid.shape) == 0);
  const std::size_t points = grid.pointCount();
  const std::size_t cells = grid.cellCount();
  for (const std::int32_t p : grid.connectivity) {
    FRACFLOW_CHECK(p >= 0 && static_cast<std::size_t>(p) < points);
  }

  XmlFile file(fileName, "UnstructuredGrid");
  file.open(1, "UnstructuredGrid");
  file.open(2, "Piece",
            "NumberOfPoints=\"" + io::formatInteger(static_cast<long long>(points)) +
                "\" NumberOfCells=\"" + io::formatInteger(static_cast<long long>(cells)) + "\"");
  writeData(file, "PointData", grid.pointData, points);
  writeData(file, "CellData", grid.cellData, cells);

  file.open(3, "Points");
  std::vector<double> xyz;
  xyz.reserve(3 * points);
  for (std::size_t p = 0; p < points; ++p) {
    xyz.push_back(grid.points[2 * p]);
    xyz.push_back(grid.points[2 * p + 1]);
    xyz.push_back(0.0);
  }
  file.dataArray(4, floatArray("Points", std::move(xyz), 3));
  file.close(3, "Points");

  const std::size_t perCell = pointsPerCell(grid.shape);
  std::vector<std::int32_t> offsets(cells);
  for (std::size_t c = 0; c < cells; ++c) offsets[c] = static_cast<std::int32_t>((c + 1) * perCell);
  file.open(3, "Cells");
  file.dataArray(4, intArray("connectivity", grid.connectivity), static_cast<int>(perCell));
  file.dataArray(4, intArray("offsets", std::move(offsets)));
  file.dataArray(4, byteArray("types", std::vector<std::uint8_t>(
                                           cells, static_cast<std::uint8_t>(grid.shape))));
  file.close(3, "Cells");
  file.close(2, "Piece");
  file.close(1, "UnstructuredGrid");
  file.finish();
}

}  // namespace fracflow::vtk
