// The grid flow of a realization: the system over the active internal cells, its optional
// dumps, the BiCG solve and the solved heads written back into the internal cells.
#pragma once

#include "grid/cell.hpp"
#include "grid/cell_index.hpp"
#include "grid/grid_geometry.hpp"
#include "io/text_stream.hpp"

namespace fracflow::grid {

struct GridFlowSettings {
  int realizationNumber = 1;
  bool writeDumps = false;  // grdfl == 1: ag. and bg. files
  int maxit = 0;
  double tol = 0.0;
};

// Returns false when the solver did not converge; the heads of the internal cells are then
// left as they were and the caller ends the run.
bool assembleAndSolveGridFlow(CellTable& table, const GridGeometry& grid, const CellIndex& index,
                              const GridFlowSettings& settings, io::TextStream& console);

}  // namespace fracflow::grid
