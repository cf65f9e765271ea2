// Active-cell count and its console line.
#include "grid/active_cells.hpp"

namespace fracflow::grid {

CellTable countActiveCells(const GridGeometry& grid, const CellCrossings& crossings,
                           io::TextStream& console) {
  CellTable table;
  for (const int cell : crossings.activeCells) {
    if (grid.isBoundaryCell(grid.columnOf(cell), grid.rowOf(cell))) {
      ++table.boundaryCells;
    } else {
      ++table.internalCells;
    }
  }
  console.line("Boundary Cell = ", table.boundaryCells, "   Internal Cells = ", table.internalCells,
               "   Total Cells = ", table.totalCells());
  table.cells.assign(static_cast<std::size_t>(table.totalCells()), Cell{});
  return table;
}

}  // namespace fracflow::grid
