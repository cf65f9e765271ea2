// MINRES (Lanczos form with Givens rotations) for a symmetric system A x = b, improving the
// start vector x in place and reporting progress on the console every 100 steps.
#pragma once

#include <span>

#include "io/text_stream.hpp"
#include "solvers/csr_matrix.hpp"
#include "solvers/dense_matrix.hpp"

namespace fracflow::solvers {

// Returns 0 when |eta| <= tol * ||b||, 1 otherwise. The dense and sparse forms run the same
// iteration and give bit-identical iterates for the same matrix.
int solveMINRES(const DenseMatrix& A, std::span<const double> b, std::span<double> x, int maxit,
                double tol, io::TextStream& console);
int solveMINRES(const CsrMatrix& A, std::span<const double> b, std::span<double> x, int maxit,
                double tol, io::TextStream& console);

}  // namespace fracflow::solvers
