// The grid flow of a realization: the system over the active internal cells, its optional
// dumps, the BiCG solve and the solved heads written back into the internal cells.
#pragma once

#include <functional>
#include <string>

#include "grid/cell.hpp"
#include "grid/cell_index.hpp"
#include "grid/grid_flow_system.hpp"
#include "grid/grid_geometry.hpp"
#include "io/text_stream.hpp"

namespace fracflow::grid {

struct GridFlowSettings {
  int realizationNumber = 1;
  bool writeDumps = false;  // grdfl == 1: ag. and bg. files
  int maxit = 0;
  double tol = 0.0;
  std::function<void(const std::string&)> note = {};  // notes for the user (standard error)
};

// The system over the active internal cells, with its ag./bg. dumps when writeDumps.
GridFlowSystem assembleGridFlow(const CellTable& table, const GridGeometry& grid,
                                const CellIndex& index, const GridFlowSettings& settings);

// BiCG on the system; the solved heads go into the internal cells. Returns false when the
// solver did not converge; the heads are then left as they were and the caller ends the run.
bool solveGridFlow(const GridFlowSystem& system, CellTable& table, const GridFlowSettings& settings,
                   io::TextStream& console);

// Both steps in turn.
bool assembleAndSolveGridFlow(CellTable& table, const GridGeometry& grid, const CellIndex& index,
                              const GridFlowSettings& settings, io::TextStream& console);

}  // namespace fracflow::grid
