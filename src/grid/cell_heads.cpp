// The grid flow solve.
#include "grid/cell_heads.hpp"

#include <cstddef>
#include <vector>

#include "solvers/bicg.hpp"

namespace fracflow::grid {

solvers::SolveReport solveHeads(const solvers::LinearSystem& system, CellTable& table,
                                const RunOptions& options, io::TextStream& console) {
  std::vector<double> solution(system.b.size(), 0.0);
  const solvers::SolveReport report =
      solvers::solveBiCG(system.A, system.b, solution, options.maxit, options.tol, console);
  if (!report.converged) return report;
  for (std::size_t r = 0; r < solution.size(); ++r) {
    table.cells[static_cast<std::size_t>(table.boundaryCells) + r].head = solution[r];
  }
  return report;
}

}  // namespace fracflow::grid
