// Solving the grid flow system for the heads of the active internal cells.
#pragma once

#include "grid/cell.hpp"
#include "io/text_stream.hpp"
#include "options/run_options.hpp"
#include "solvers/linear_system.hpp"
#include "solvers/solve_report.hpp"

namespace fracflow::grid {

// Runs BiCG from a zero start vector. When it converges the solved heads are stored in the
// internal cells; otherwise the cells are left as they were (the solver has printed its verdict).
solvers::SolveReport solveHeads(const solvers::LinearSystem& system, CellTable& table,
                                const RunOptions& options, io::TextStream& console);

}  // namespace fracflow::grid
