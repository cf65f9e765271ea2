// Grid phase: mapping, flow, files.
#include "app/grid_phase.hpp"

#include <utility>

#include "grid/cell_index.hpp"
#include "grid/fracture_continuum.hpp"
#include "grid/grid_files.hpp"
#include "grid/grid_flow.hpp"

namespace fracflow::app {

std::optional<CellTable> runGridPhase(const RunOptions& options, const Realization& realization,
                                      SegmentTable gridSegments) {
  const grid::GridGeometry geometry = grid::GridGeometry::fromOptions(options);
  CellTable table = grid::mapFractureContinuum(geometry, grid::FaceHeads::fromOptions(options),
                                               std::move(gridSegments), realization.console);
  const grid::CellIndex index(table.cells, geometry.cellx, geometry.celly, geometry.cellSizeX,
                              geometry.cellSizeY);
  realization.lap(Phase::GridMapping);
  const grid::GridFlowSettings settings{
      realization.realizationNumber, options.grdfl == 1, options.maxit, options.tol,
      [&](const std::string& note) { realization.diagnostic(note); }};
  {
    // The system lives from assembly to the end of the solve.
    const grid::GridFlowSystem system = grid::assembleGridFlow(table, geometry, index, settings);
    realization.lap(Phase::GridAssembly);
    const bool solved = grid::solveGridFlow(system, table, settings, realization.console);
    realization.lap(Phase::Bicg);
    if (!solved) {
      writeNonConvergenceFile("NoConGrd.", realization.realizationNumber, "Grid");
      return std::nullopt;
    }
  }
  grid::writeGridHeadsAndFaceFlows(table, geometry, index, realization.realizationNumber,
                                   options.grddt == 1);
  realization.lap(Phase::GridFiles);
  return table;
}

}  // namespace fracflow::app
