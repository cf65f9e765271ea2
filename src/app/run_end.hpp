// Why a run ended early, in words a user can act on. Each condition that ends a run has its
// explanation here, written to the realization's diagnostics stream when it happens and kept
// in the realization's result, so that a summary at the end of the run can repeat it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "network/node.hpp"
#include "network/segment.hpp"
#include "options/run_options.hpp"
#include "solvers/solve_report.hpp"

namespace fracflow::app {

// Segment `id` (of the table after clipping and reordering) is at most 1e-9 domainL long.
std::string explainTinySegment(int realizationNumber, int id, const Segment& segment);

// The well catches no internal node: where the nearest one lies and how wide the well square
// would have to be to catch it.
std::string explainNoWellNode(int realizationNumber, const NodeTable& nodes,
                              const RunOptions& options);

// A flow solver stopped at maxit without meeting tol; method "DFN" or "grid", solver
// "MINRES" or "BiCG", and the file it wrote.
std::string explainNoConvergence(int realizationNumber, std::string_view method,
                                 std::string_view solver, const solvers::SolveReport& report,
                                 const std::filesystem::path& file, const RunOptions& options);

// A note before the first realization when tol or maxit is 0 or below: no solve can then
// normally meet the tolerance.
std::optional<std::string> solverSettingsNote(const RunOptions& options);

}  // namespace fracflow::app
