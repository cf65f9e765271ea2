// Solving the network flow system for the internal-node heads.
#pragma once

#include "io/text_stream.hpp"
#include "network/node.hpp"
#include "options/run_options.hpp"
#include "solvers/linear_system.hpp"
#include "solvers/solve_report.hpp"

namespace fracflow::dfn {

// Runs MINRES from the interpolated start vector. When it converges the solved heads are
// stored in the internal nodes; otherwise the nodes are left as they were (the solver has
// printed its verdict).
solvers::SolveReport solveHeads(const solvers::LinearSystem& system, NodeTable& nodes,
                                const RunOptions& options, io::TextStream& console);

}  // namespace fracflow::dfn
