// Assembly, dumps and solve of the grid flow.
#include "grid/grid_flow.hpp"

#include <vector>

#include "grid/grid_dumps.hpp"
#include "grid/grid_flow_system.hpp"
#include "io/file_names.hpp"
#include "solvers/bicg.hpp"

namespace fracflow::grid {

bool assembleAndSolveGridFlow(CellTable& table, const GridGeometry& grid, const CellIndex& index,
                              const GridFlowSettings& settings, io::TextStream& console) {
  const GridFlowSystem system = assembleGridFlowSystem(table, grid, index);
  if (settings.writeDumps) {
    writeMatrixDump(system.matrix, io::realizationFileName("ag.", settings.realizationNumber));
    writeRhsDump(system.rhs, io::realizationFileName("bg.", settings.realizationNumber));
  }
  std::vector<double> solution(system.rhs.size(), 0.0);
  if (solvers::solveBiCG(system.matrix, system.rhs, solution, settings.maxit, settings.tol,
                         console) != 0) {
    return false;
  }
  for (std::size_t r = 0; r < solution.size(); ++r) {
    table.cells[static_cast<std::size_t>(table.boundaryCells) + r].head = solution[r];
  }
  return true;
}

}  // namespace fracflow::grid
