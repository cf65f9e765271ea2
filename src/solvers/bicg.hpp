// Biconjugate gradients for the grid flow system A x = b (the shadow sequence uses A itself,
// which for the symmetric grid matrix is the textbook method), with console progress lines.
#pragma once

#include <span>

#include "io/text_stream.hpp"
#include "solvers/csr_matrix.hpp"
#include "solvers/dense_matrix.hpp"
#include "solvers/solve_report.hpp"

namespace fracflow::solvers {

// Not converged when maxit iterations ran without meeting tol * ||b|| > ||r||. With maxit <= 0
// nothing runs or prints and the report says converged after 0 iterations, with no residual
// (NaN), as the run has always taken it. Two solved cases make no iteration, print "BiCg
// converged after 0 iterations" and report residual 0: b = 0 in every entry (x is set to 0) and an
// exact start vector (b - A x has norm 0; x is left as it is). b and x must have A's order. The
// dense and sparse forms run the same iteration and give bit-identical iterates.
SolveReport solveBiCG(const DenseMatrix& A, std::span<const double> b, std::span<double> x,
                      int maxit, double tol, io::TextStream& console);
SolveReport solveBiCG(const CsrMatrix& A, std::span<const double> b, std::span<double> x, int maxit,
                      double tol, io::TextStream& console);

}  // namespace fracflow::solvers
