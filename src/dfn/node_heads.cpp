// The network flow solve.
#include "dfn/node_heads.hpp"

#include <cstddef>
#include <vector>

#include "dfn/start_vector.hpp"
#include "solvers/minres.hpp"

namespace fracflow::dfn {

solvers::SolveReport solveHeads(const solvers::LinearSystem& system, NodeTable& nodes,
                                const RunOptions& options, io::TextStream& console) {
  std::vector<double> x = startVector(nodes, options);
  const solvers::SolveReport report =
      solvers::solveMINRES(system.A, system.b, x, options.maxit, options.tol, console);
  if (!report.converged) return report;
  for (int r = 0; r < nodes.internalNodes; ++r) {
    nodes.nodes[static_cast<std::size_t>(nodes.boundaryNodes + r)].head =
        x[static_cast<std::size_t>(r)];
  }
  return report;
}

}  // namespace fracflow::dfn
