// Biconjugate gradients for the grid flow system A x = b (the shadow sequence uses A itself,
// which for the symmetric grid matrix is the textbook method), with console progress lines.
#pragma once

#include <span>

#include "io/text_stream.hpp"
#include "solvers/csr_matrix.hpp"
#include "solvers/dense_matrix.hpp"

namespace fracflow::solvers {

// Returns 1 when maxit iterations ran without meeting the tolerance, 0 otherwise. The dense
// and sparse forms run the same iteration and give bit-identical iterates.
int solveBiCG(const DenseMatrix& A, std::span<const double> b, std::span<double> x, int maxit,
              double tol, io::TextStream& console);
int solveBiCG(const CsrMatrix& A, std::span<const double> b, std::span<double> x, int maxit,
              double tol, io::TextStream& console);

}  // namespace fracflow::solvers
