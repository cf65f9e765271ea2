// Console line and notes of a direct solve.
#include "app/direct_solve_report.hpp"

#include "io/error.hpp"
#include "io/number_format.hpp"

namespace fracflow::app {
namespace {

using solvers::DirectMethod;
using solvers::DirectReport;
using solvers::DirectStatus;

constexpr double kMiB = 1024.0 * 1024.0;

std::string number(double value) { return io::formatNumber(value); }
std::string seconds(double value) { return io::formatNumber(value, io::NumberFormat::fixed(2)); }
std::string mebibytes(double bytes) {
  return io::formatNumber(bytes / kMiB, io::NumberFormat::fixed(1));
}

std::string methodText(const DirectReport& report) {
  return std::string(solvers::methodName(report.method));
}

}  // namespace

DirectOutcome outcomeOf(const DirectReport& report) {
  switch (report.status) {
    case DirectStatus::Solved:
      return DirectOutcome::Solved;
    case DirectStatus::TooLarge:
    case DirectStatus::OutOfMemory:
      return DirectOutcome::NoMemory;
    case DirectStatus::AboveTolerance:
    case DirectStatus::Inconsistent:
    case DirectStatus::Singular:
      break;
  }
  return DirectOutcome::NoSolution;
}

void writeDirectSolveLine(io::TextStream& console, const DirectReport& report) {
  switch (report.status) {
    case DirectStatus::Solved:
    case DirectStatus::AboveTolerance:
      console.line("Direct solve (", methodText(report), ") of ", report.unknowns,
                   " unknowns: relative residual = ", report.relativeResidual);
      return;
    case DirectStatus::Inconsistent:
      console.line("Direct solve of ", report.unknowns,
                   " unknowns: no solution (a well in a part that reaches no fixed head)");
      return;
    case DirectStatus::Singular:
      console.line("Direct solve (", methodText(report), ") of ", report.unknowns,
                   " unknowns: no solution (the matrix is singular)");
      return;
    case DirectStatus::TooLarge:
    case DirectStatus::OutOfMemory:
      console.line("Direct solve (", methodText(report), ") of ", report.unknowns,
                   " unknowns: the factor does not fit in memory");
      return;
  }
}

std::vector<std::string> directSolveNotes(const DirectReport& report, std::string_view system,
                                          double tol) {
  std::vector<std::string> notes;
  const std::string name(system);
  const solvers::FactorStats& factor = report.factor;

  if (report.method == DirectMethod::None && report.status == DirectStatus::Solved) {
    notes.push_back(name + ": the right-hand side is zero, so is every head (nothing factored)");
  } else if (report.method != DirectMethod::None) {
    std::string note = name + ": " + methodText(report) + " factorization (" +
                       std::string(solvers::libraryName(report.method)) + ", " + factor.ordering +
                       " ordering) of " +
                       std::to_string(report.unknowns - report.floatingUnknowns) + " unknowns";
    if (report.choleskyFailed) note += " (Cholesky met a pivot that is not positive)";
    if (factor.factorSeconds > 0.0 || factor.status == solvers::FactorStatus::Factored) {
      note += ": " + number(factor.factorEntries) + " factor entries, " +
              mebibytes(factor.peakBytes) + " MiB at peak; ordering " +
              seconds(factor.analysisSeconds) + " s, factorization " +
              seconds(factor.factorSeconds) + " s, solve " + seconds(report.solveSeconds) + " s";
      if (report.refinementSteps > 0) {
        note += " (" + std::to_string(report.refinementSteps) + " refinement steps)";
      }
    }
    notes.push_back(note);
  }
  if (report.floatingComponents > 0 && report.status != DirectStatus::Inconsistent) {
    notes.push_back(name + ": " + std::to_string(report.floatingComponents) + " part(s) with " +
                    std::to_string(report.floatingUnknowns) +
                    " unknowns reach no fixed head: each keeps the mean of its start values, "
                    "the value the iterative solver converges to");
  }

  const std::string ending = "; the run ends as for a solver that does not converge";
  switch (report.status) {
    case DirectStatus::Solved:
      break;
    case DirectStatus::AboveTolerance:
      notes.push_back(name + ": the relative residual " + number(report.relativeResidual) +
                      " is above tol = " + number(tol) + ending);
      break;
    case DirectStatus::Inconsistent:
      notes.push_back(name + ": a well lies in a part that reaches no fixed head (row " +
                      std::to_string(report.inconsistentUnknown) +
                      " of the system), so the flow system has no solution" + ending);
      break;
    case DirectStatus::Singular:
      notes.push_back(name + ": the matrix is singular (LU met a zero pivot)" + ending);
      break;
    case DirectStatus::TooLarge:
      notes.push_back(name + ": the " + methodText(report) + " factor would take about " +
                      mebibytes(factor.estimatedBytes) + " MiB, more than the " +
                      mebibytes(report.memoryLimitBytes) +
                      " MiB available; the run ends (use --solver "
                      "iterative, or a machine with more memory)");
      break;
    case DirectStatus::OutOfMemory:
      notes.push_back(name + ": memory ran out during the " + methodText(report) +
                      " factorization; the run ends (use --solver iterative, or a machine with "
                      "more memory)");
      break;
  }
  return notes;
}

solvers::SolveReport showDirectSolve(const DirectReport& report, std::string_view system,
                                     double tol, const Realization& realization) {
  writeDirectSolveLine(realization.console, report);
  for (const std::string& note : directSolveNotes(report, system, tol)) {
    realization.diagnostic(note);
  }
  const DirectOutcome outcome = outcomeOf(report);
  if (outcome == DirectOutcome::NoMemory) {
    throw Error(ErrorKind::Output, std::string(system) + ": the " + methodText(report) +
                                       " factorization does not fit in the memory available");
  }
  return {outcome == DirectOutcome::Solved, 0, report.relativeResidual};
}

}  // namespace fracflow::app
