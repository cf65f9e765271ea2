// The steady-flow equations of the grid over its active internal cells: for each internal
// cell the flux balance with its coupled neighbours, the fixed heads of boundary neighbours
// moved to the right-hand side. Stored sparse (at most five entries per row on a usual grid).
#pragma once

#include "grid/cell.hpp"
#include "grid/cell_index.hpp"
#include "grid/grid_geometry.hpp"
#include "solvers/linear_system.hpp"

namespace fracflow::grid {

// Neighbours are every cell whose centre lies in the 1e-4 relative window about the shifted
// centre, in array order; a coupling to an internal neighbour sets its entry, the diagonal
// and the right-hand side accumulate. The diagonal is always stored. Row and column r belong to
// cells[boundaryCells + r].
solvers::LinearSystem assembleFlowSystem(const CellTable& table, const GridGeometry& grid,
                                         const CellIndex& index);

}  // namespace fracflow::grid
