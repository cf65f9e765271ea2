// Sparse direct solution of a flow system A x = b: the parts of the system that no fixed
// head holds are set apart and keep the value an iterative solve from the same start vector
// converges to; the rest is factored by Cholesky when it is symmetric and definite (LU
// otherwise, and when Cholesky meets a pivot that is not positive), solved, and refined while
// its relative residual is above the tolerance.
#pragma once

#include <limits>
#include <span>
#include <string_view>

#include "solvers/csr_matrix.hpp"
#include "solvers/factor_stats.hpp"

namespace fracflow::solvers {

enum class DirectMethod { None, Cholesky, Lu };

enum class DirectStatus {
  Solved,          // relative residual at most tol
  AboveTolerance,  // solved, but the relative residual is above tol
  Inconsistent,    // a right-hand side in a floating part: the system has no solution
  Singular,        // LU met a zero pivot
  TooLarge,        // the factor would not fit in the memory allowed (not attempted)
  OutOfMemory,     // an allocation failed during the factorization
};

struct DirectSettings {
  double tol = 0.0;  // relative residual ||b - A x|| / ||b|| to reach
  double memoryLimitBytes = std::numeric_limits<double>::infinity();
};

struct DirectReport {
  DirectStatus status = DirectStatus::Solved;
  DirectMethod method = DirectMethod::None;
  bool choleskyFailed = false;  // Cholesky was tried and met a pivot that is not positive
  int unknowns = 0;
  int floatingComponents = 0;  // components of the matrix graph no fixed head holds
  int floatingUnknowns = 0;
  int inconsistentUnknown = -1;  // Inconsistent: an unknown of the offending component
  double relativeResidual = 0.0;
  int refinementSteps = 0;
  FactorStats factor;             // of the method used (or of the one that failed)
  double solveSeconds = 0.0;      // triangular solves and refinement
  double memoryLimitBytes = 0.0;  // the limit the factor was held to

  bool converged() const { return status == DirectStatus::Solved; }
};

// x holds the start vector on entry and the solution on return (when the status is Solved or
// AboveTolerance; otherwise it is unspecified). b = 0 gives x = 0 with no factorization, as
// the iterative solvers do. A floating component (see findFloatingComponents) takes the mean
// of its start values in every unknown: with a symmetric A, the iterates of MINRES or BiCG
// change a block whose rows sum to zero only within the range of that block, which is
// orthogonal to the constant vector, so they keep its mean, and they converge to the one
// constant vector that has it. A floating component with a non-zero b is Inconsistent.
DirectReport solveDirect(const CsrMatrix& A, std::span<const double> b, std::span<double> x,
                         const DirectSettings& settings);

// "Cholesky", "LU" or "none".
std::string_view methodName(DirectMethod method);

// "CHOLMOD", "KLU" or "": the library that made the factor.
std::string_view libraryName(DirectMethod method);

// True when every stored entry (i, j) equals the entry (j, i), bit for bit.
bool isSymmetric(const CsrMatrix& A);

// ||b - A x|| / ||b||, with the product summed row by row; 0 when b and b - A x are both 0.
double relativeResidual(const CsrMatrix& A, std::span<const double> b, std::span<const double> x);

}  // namespace fracflow::solvers
