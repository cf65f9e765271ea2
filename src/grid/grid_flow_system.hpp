// The steady-flow equations of the grid over its active internal cells: for each internal
// cell the flux balance with its coupled neighbours, the fixed heads of boundary neighbours
// moved to the right-hand side. Stored sparse (at most five entries per row on a usual grid).
#pragma once

#include <vector>

#include "grid/cell.hpp"
#include "grid/cell_index.hpp"
#include "grid/grid_geometry.hpp"
#include "solvers/csr_matrix.hpp"

namespace fracflow::grid {

struct GridFlowSystem {
  solvers::CsrMatrix matrix;  // row and column r: cells[boundaryCells + r]
  std::vector<double> rhs;
};

// Neighbours are every cell whose centre lies in the 1e-4 relative window about the shifted
// centre, in array order; a coupling to an internal neighbour sets its entry, the diagonal
// and the right-hand side accumulate. The diagonal is always stored.
GridFlowSystem assembleGridFlowSystem(const CellTable& table, const GridGeometry& grid,
                                      const CellIndex& index);

}  // namespace fracflow::grid
