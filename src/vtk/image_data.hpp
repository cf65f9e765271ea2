// A VTK XML image data file (.vti): a uniform grid of cellsX × cellsY cells of
// spacingX × spacingY with its lower-left corner at the origin, and data on its cells. Cells
// are numbered as VTK numbers them: x fastest, cell (i, j) at i + j · cellsX.
#pragma once

#include <string>
#include <vector>

#include "vtk/data_array.hpp"

namespace fracflow::vtk {

struct ImageData {
  int cellsX = 0;
  int cellsY = 0;
  double spacingX = 1.0;
  double spacingY = 1.0;
  std::vector<DataArray> cellData;  // one tuple per cell
};

// Writes image to fileName through the checked output path (an Output error names the file).
void writeImageData(const std::string& fileName, const ImageData& image);

}  // namespace fracflow::vtk
