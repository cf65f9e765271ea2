// Grid head and grid flow files.
#include "grid/flow_files.hpp"

#include "io/face_flow_lines.hpp"
#include "io/number_format.hpp"
#include "io/output_file.hpp"

namespace fracflow::grid {

void writeHeadFile(const std::filesystem::path& path, const CellTable& table) {
  io::OutputFile file(path, io::NumberFormat::fixed(6));
  for (int k = table.boundaryCells; k < table.totalCells(); ++k) {
    const Cell& cell = table.cells[static_cast<std::size_t>(k)];
    file.line(cell.center[0], "     ", cell.center[1], "       ", cell.head);
  }
  file.close();
}

void writeFlowFile(const std::filesystem::path& path, const FaceFlows& flows,
                   const CellTable& table) {
  io::OutputFile file(path);
  io::writeFaceFlowLines(file, flows, "Global Grid Flow         = ");
  file.line("Internal Cells = ", table.internalCells);
  file.line("Boundary Cells = ", table.boundaryCells);
  file.line("Total Cells = ", table.totalCells());
  file.close();
}

}  // namespace fracflow::grid
