// What the run shows of a direct solve of a flow system: one console line in place of the
// iterative solver's progress and verdict lines, and notes for stderr on the factorization
// (method, ordering, factor size, peak memory, where the time went) and on any failure.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/realization.hpp"
#include "io/text_stream.hpp"
#include "solvers/direct_solve.hpp"
#include "solvers/solve_report.hpp"

namespace fracflow::app {

enum class DirectOutcome {
  Solved,      // the heads are stored; the realization goes on
  NoSolution,  // residual above tol, inconsistent or singular: ends the run as non-convergence
  NoMemory,    // the factor does not fit: an error that ends the run (no non-convergence file)
};

DirectOutcome outcomeOf(const solvers::DirectReport& report);

// "Direct solve (Cholesky) of 77568 unknowns: relative residual = 1.2e-015", or what stopped
// the solve.
void writeDirectSolveLine(io::TextStream& console, const solvers::DirectReport& report);

// The notes, each without the "fracflow: " prefix; system names the flow ("DFN flow").
std::vector<std::string> directSolveNotes(const solvers::DirectReport& report,
                                          std::string_view system, double tol);

// Writes the console line, then the notes on the realization's diagnostics, and returns the
// report the phase goes on with (not converged when there is no solution: the phase then ends
// the run as for non-convergence). A factor that does not fit in memory is an error: it throws
// fracflow::Error (Output), which ends the run with exit status 1 and no non-convergence file.
solvers::SolveReport showDirectSolve(const solvers::DirectReport& report, std::string_view system,
                                     double tol, const Realization& realization);

}  // namespace fracflow::app
