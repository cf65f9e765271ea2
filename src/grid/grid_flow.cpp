// Assembly, dumps and solve of the grid flow.
#include "grid/grid_flow.hpp"

#include <vector>

#include "io/file_names.hpp"
#include "solvers/bicg.hpp"
#include "solvers/system_dump.hpp"

namespace fracflow::grid {

GridFlowSystem assembleGridFlow(const CellTable& table, const GridGeometry& grid,
                                const CellIndex& index, const GridFlowSettings& settings) {
  GridFlowSystem system = assembleGridFlowSystem(table, grid, index);
  if (settings.writeDumps) {
    solvers::writeSystemDumps(io::realizationFileName("ag.", settings.realizationNumber),
                              system.matrix,
                              io::realizationFileName("bg.", settings.realizationNumber),
                              system.rhs, {"grdfl", 61, settings.note});
  }
  return system;
}

bool solveGridFlow(const GridFlowSystem& system, CellTable& table, const GridFlowSettings& settings,
                   io::TextStream& console) {
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

bool assembleAndSolveGridFlow(CellTable& table, const GridGeometry& grid, const CellIndex& index,
                              const GridFlowSettings& settings, io::TextStream& console) {
  const GridFlowSystem system = assembleGridFlow(table, grid, index, settings);
  return solveGridFlow(system, table, settings, console);
}

}  // namespace fracflow::grid
