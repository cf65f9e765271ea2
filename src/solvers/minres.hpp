// MINRES (Lanczos form with Givens rotations) for a symmetric system A x = b, improving the
// start vector x in place and reporting progress on the console every 100 steps.
#pragma once

#include <span>

#include "io/text_stream.hpp"
#include "solvers/csr_matrix.hpp"
#include "solvers/dense_matrix.hpp"
#include "solvers/solve_report.hpp"

namespace fracflow::solvers {

// Converged when |eta| <= tol * ||b||; at least one step is made, at most max(maxit, 1), and the
// report counts the steps as the console line does (from 1). Two solved cases make no step,
// print "MINRES converged after 1 steps" and report 1 step with residual 0: b = 0 in every entry (x
// is set to 0) and an exact start vector (b - A x has norm 0; x is left as it is). b and x must
// have A's order. The dense and sparse forms run the same iteration and give bit-identical iterates
// for the same matrix.
SolveReport solveMINRES(const DenseMatrix& A, std::span<const double> b, std::span<double> x,
                        int maxit, double tol, io::TextStream& console);
SolveReport solveMINRES(const CsrMatrix& A, std::span<const double> b, std::span<double> x,
                        int maxit, double tol, io::TextStream& console);

}  // namespace fracflow::solvers
