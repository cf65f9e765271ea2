// Active-cell count and its console line.
#include "grid/active_cells.hpp"

namespace fracflow::grid {

CellTable countActiveCells(const GridGeometry& grid, const CellCrossings& crossings,
                           io::TextStream& console) {
  CellTable table;
  for (int i = 0; i < grid.cellx; ++i) {
    for (int j = 0; j < grid.celly; ++j) {
      if (!crossings.isActive(grid.cellNumber(i, j))) continue;
      if (grid.isBoundaryCell(i, j)) {
        ++table.boundaryCells;
      } else {
        ++table.internalCells;
      }
    }
  }
  console.line("Boundary Cell = ", table.boundaryCells, "   Internal Cells = ", table.internalCells,
               "   Total Cells = ", table.totalCells());
  table.cells.assign(static_cast<std::size_t>(table.totalCells()), Cell{});
  return table;
}

}  // namespace fracflow::grid
