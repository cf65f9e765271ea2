// The grid flow, step by step.
#include "app/grid_phase.hpp"

#include <utility>

#include "app/available_memory.hpp"
#include "app/direct_solve_report.hpp"
#include "grid/cell_heads.hpp"
#include "grid/cell_index.hpp"
#include "grid/face_flows.hpp"
#include "grid/flow_files.hpp"
#include "grid/flow_system.hpp"
#include "grid/fracture_continuum.hpp"
#include "solvers/system_dump.hpp"

namespace fracflow::app {

using io::RealizationFile;

GridFlow runGridFlow(const RunOptions& options, Realization& realization,
                     SegmentTable gridSegments) {
  GridFlow flow;
  const grid::GridGeometry geometry = grid::GridGeometry::fromOptions(options);
  flow.cells = grid::mapFractureContinuum(geometry, grid::FaceHeads::fromOptions(options),
                                          std::move(gridSegments), realization.console);
  const grid::CellIndex index(flow.cells.cells, geometry.cellx, geometry.celly, geometry.cellSizeX,
                              geometry.cellSizeY);
  realization.lap(Phase::GridMapping);
  {
    // The system lives from assembly to the end of the solve.
    const solvers::LinearSystem system = grid::assembleFlowSystem(flow.cells, geometry, index);
    if (options.grdfl == 1) {
      solvers::writeSystemDumps(
          realization.outputPath(RealizationFile::GridMatrix).string(), system.A,
          realization.outputPath(RealizationFile::GridRhs).string(), system.b,
          {"grdfl", 61, [&](const std::string& note) { realization.diagnostic(note); }});
    }
    realization.lap(Phase::GridAssembly);
    if (realization.setup.solver == solvers::SolverChoice::Direct) {
      const solvers::DirectReport direct =
          grid::solveHeadsDirect(system, flow.cells, options, availableMemoryBytes());
      realization.lap(Phase::Bicg);
      flow.solve = showDirectSolve(direct, "grid flow", options.tol, realization);
    } else {
      flow.solve = grid::solveHeads(system, flow.cells, options, realization.console);
      realization.lap(Phase::Bicg);
    }
    if (!flow.solve.converged) {
      writeNonConvergenceFile(realization.outputPath(RealizationFile::NoConGrid),
                              realization.realizationNumber, "Grid");
      return flow;
    }
  }
  if (options.grddt == 1) {
    grid::writeHeadFile(realization.outputPath(RealizationFile::GridHeads), flow.cells);
  }
  flow.faceFlows = grid::computeFaceFlows(flow.cells, geometry, index);
  return flow;
}

}  // namespace fracflow::app
