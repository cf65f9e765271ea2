// Biconjugate gradients written once over the row product of the matrix, so that the dense and
// the compressed-row forms run the same arithmetic. The shadow sequence starts from r~ = r and
// is advanced with A itself by the very operations that advance r and p, so r~ and p~ equal r
// and p bit for bit at every step (for any matrix): they are not stored, A p~ is A p, and
// r~ . r is ||r||^2. sigma is summed while A p is formed, and the residual norm while x and r
// are updated.
#include "solvers/bicg.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

#include "io/check.hpp"

namespace fracflow::solvers {
namespace {

constexpr int kProgressEvery = 1000;
constexpr int kLastProgress = 20000;

template <typename Matrix>
SolveReport bicg(const Matrix& A, std::span<const double> b, std::span<double> x, int maxit,
                 double tol, io::TextStream& console) {
  const int order = matrixOrder(A);
  FRACFLOW_CHECK(order >= 0);
  const auto n = static_cast<std::size_t>(order);
  FRACFLOW_CHECK(b.size() == n && x.size() == n);
  if (maxit <= 0) return {true, 0, std::numeric_limits<double>::quiet_NaN()};

  // b = 0 has the exact solution x = 0, which the relative test against ||b|| = 0 would
  // never accept.
  if (std::all_of(b.begin(), b.end(), [](double value) { return value == 0.0; })) {
    std::fill(x.begin(), x.end(), 0.0);
    console.line("BiCg converged after ", 0, " iterations");
    return {true, 0, 0.0};
  }

  std::vector<double> r(n, 0.0), p(n, 0.0), v(n, 0.0);
  for (std::size_t i = 0; i < n; ++i) r[i] = b[i] - rowProduct(A, static_cast<int>(i), x.data());

  double sumB = 0.0;
  for (double value : b) sumB += value * value;
  const double normB = std::sqrt(sumB);

  // rho = r~ . r with r~ = r.
  double rho = 0.0;
  for (std::size_t j = 0; j < n; ++j) rho += r[j] * r[j];
  // rho is ||r||^2: an exact start vector, on which the first iteration would divide 0 by 0.
  if (rho == 0.0) {
    console.line("BiCg converged after ", 0, " iterations");
    return {true, 0, 0.0};
  }

  double rhoPrev = 1.0;
  SolveReport report;
  for (int k = 0; k < maxit; ++k) {
    const double beta = rho / rhoPrev;
    rhoPrev = rho;
    for (std::size_t j = 0; j < n; ++j) p[j] = beta * p[j] + r[j];

    // sigma = p~ . A p
    double sigma = 0.0;
    for (std::size_t j = 0; j < n; ++j) {
      v[j] = rowProduct(A, static_cast<int>(j), p.data());
      sigma += p[j] * v[j];
    }
    const double alpha = rho / sigma;

    double sumR = 0.0;
    for (std::size_t j = 0; j < n; ++j) {
      x[j] = x[j] + alpha * p[j];
      r[j] = r[j] - alpha * v[j];
      sumR += r[j] * r[j];
    }
    const double normR = std::sqrt(sumR);
    rho = sumR;  // r~ . r

    if (tol * normB > normR) {
      console.line("BiCg converged after ", k + 1, " iterations");
      return {true, k + 1, normR / normB};
    }
    if (k == maxit - 1) {
      console.line("BiCg completed ", maxit, " iterations with a relative residual of ",
                   normR / normB);
      report = {false, maxit, normR / normB};
    }
    if ((k + 1) % kProgressEvery == 0 && k + 1 <= kLastProgress) {
      console.line("BiCg Iteration = ", k + 1, "       RR = ", normR / normB);
    }
  }
  return report;
}

}  // namespace

SolveReport solveBiCG(const DenseMatrix& A, std::span<const double> b, std::span<double> x,
                      int maxit, double tol, io::TextStream& console) {
  FRACFLOW_CHECK(isWellFormed(A));
  return bicg(A, b, x, maxit, tol, console);
}

SolveReport solveBiCG(const CsrMatrix& A, std::span<const double> b, std::span<double> x, int maxit,
                      double tol, io::TextStream& console) {
  FRACFLOW_CHECK(isWellFormed(A));
  return bicg(A, b, x, maxit, tol, console);
}

}  // namespace fracflow::solvers
