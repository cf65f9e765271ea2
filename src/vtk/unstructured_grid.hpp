// A VTK XML unstructured grid (.vtu) of one kind of cell in the x-y plane: lines (the
// segments of a network) or vertices (particle positions), with data on the points and on
// the cells.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "vtk/data_array.hpp"

namespace fracflow::vtk {

// The cell kinds used here, numbered as VTK numbers them.
enum class CellShape : std::uint8_t { Vertex = 1, Line = 3 };

struct UnstructuredGrid {
  std::vector<double> points;  // x, y of each point; z is 0
  CellShape shape = CellShape::Line;
  std::vector<std::int32_t> connectivity;  // the point numbers of each cell, cell after cell
  std::vector<DataArray> pointData;        // one tuple per point
  std::vector<DataArray> cellData;         // one tuple per cell

  std::size_t pointCount() const { return points.size() / 2; }
  std::size_t cellCount() const;
};

// Writes grid to fileName through the checked output path (an Output error names the file).
void writeUnstructuredGrid(const std::string& fileName, const UnstructuredGrid& grid);

}  // namespace fracflow::vtk
