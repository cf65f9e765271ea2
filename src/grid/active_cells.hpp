// The active cells of the grid: those that at least one segment crosses. Counted in the
// visiting order of the mapping passes, reported on the console, and given zeroed records.
#pragma once

#include "grid/cell.hpp"
#include "grid/cell_crossings.hpp"
#include "grid/grid_geometry.hpp"
#include "io/text_stream.hpp"

namespace fracflow::grid {

// Counts the active boundary and internal cells, prints the cell line and returns the cell
// table with totalCells zeroed records.
CellTable countActiveCells(const GridGeometry& grid, const CellCrossings& crossings,
                           io::TextStream& console);

}  // namespace fracflow::grid
