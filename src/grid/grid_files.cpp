// Grid head and grid flow files.
#include "grid/grid_files.hpp"

#include "io/face_flow_lines.hpp"
#include "io/file_names.hpp"
#include "io/number_format.hpp"
#include "io/output_file.hpp"

namespace fracflow::grid {

void writeGridHeadFile(const CellTable& table, const std::string& fileName) {
  io::OutputFile file(fileName, io::NumberFormat::fixed(6));
  for (int k = table.boundaryCells; k < table.totalCells(); ++k) {
    const Cell& cell = table.cells[static_cast<std::size_t>(k)];
    file.line(cell.center[0], "     ", cell.center[1], "       ", cell.head);
  }
  file.close();
}

void writeGridFlowFile(const FaceFlows& flows, const CellTable& table,
                       const std::string& fileName) {
  io::OutputFile file(fileName);
  io::writeFaceFlowLines(file, flows.top, flows.right, flows.bottom, flows.left,
                         "Global Grid Flow         = ", flows.global());
  file.line("Internal Cells = ", table.internalCells);
  file.line("Boundary Cells = ", table.boundaryCells);
  file.line("Total Cells = ", table.totalCells());
  file.close();
}

void writeGridHeadsAndFaceFlows(const CellTable& table, const GridGeometry& grid,
                                const CellIndex& index, int realizationNumber, bool writeHeadFile) {
  if (writeHeadFile) {
    writeGridHeadFile(table, io::realizationFileName("grdhead.", realizationNumber));
  }
  writeGridFlowFile(computeFaceFlows(table, grid, index), table,
                    io::realizationFileName("Grd_flow.", realizationNumber));
}

}  // namespace fracflow::grid
