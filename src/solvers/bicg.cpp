// Biconjugate gradients written once over the row product of the matrix, so that the dense and
// the compressed-row forms run the same arithmetic. The sweeps are fused where that keeps
// every operation and every sum order: sigma is summed while A p is formed, and the x, r and
// shadow-residual updates share one sweep with the row products of A p~, the residual norm and
// the next rho (r and r~ are final by then, and the next iteration reads them unchanged).
#include "solvers/bicg.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "io/check.hpp"

namespace fracflow::solvers {
namespace {

constexpr int kProgressEvery = 1000;
constexpr int kLastProgress = 20000;

template <typename Matrix>
int bicg(const Matrix& A, std::span<const double> b, std::span<double> x, int maxit, double tol,
         io::TextStream& console) {
  const int order = matrixOrder(A);
  FRACFLOW_CHECK(order >= 0);
  const auto n = static_cast<std::size_t>(order);
  FRACFLOW_CHECK(b.size() == n && x.size() == n);
  if (maxit <= 0) return 0;

  // b = 0 has the exact solution x = 0, which the relative test against ||b|| = 0 would
  // never accept.
  if (std::all_of(b.begin(), b.end(), [](double value) { return value == 0.0; })) {
    std::fill(x.begin(), x.end(), 0.0);
    console.line("BiCg converged after ", 0, " iterations");
    return 0;
  }

  std::vector<double> r(n, 0.0), rShadow(n, 0.0), p(n, 0.0), pShadow(n, 0.0), v(n, 0.0);
  for (std::size_t i = 0; i < n; ++i) r[i] = b[i] - rowProduct(A, static_cast<int>(i), x.data());
  rShadow = r;

  double sumB = 0.0;
  for (double value : b) sumB += value * value;
  const double normB = std::sqrt(sumB);

  double rho = 0.0;
  for (std::size_t j = 0; j < n; ++j) rho += rShadow[j] * r[j];
  // r~ = r, so rho is ||r||^2: an exact start vector, on which the first iteration would
  // divide 0 by 0.
  if (rho == 0.0) {
    console.line("BiCg converged after ", 0, " iterations");
    return 0;
  }

  double rhoPrev = 1.0;
  int flag = 0;
  for (int k = 0; k < maxit; ++k) {
    const double beta = rho / rhoPrev;
    rhoPrev = rho;
    for (std::size_t j = 0; j < n; ++j) {
      p[j] = beta * p[j] + r[j];
      pShadow[j] = beta * pShadow[j] + rShadow[j];
    }

    double sigma = 0.0;
    for (std::size_t j = 0; j < n; ++j) {
      v[j] = rowProduct(A, static_cast<int>(j), p.data());
      sigma += pShadow[j] * v[j];
    }
    const double alpha = rho / sigma;

    double sumR = 0.0;
    double rhoNext = 0.0;
    for (std::size_t j = 0; j < n; ++j) {
      x[j] = x[j] + alpha * p[j];
      r[j] = r[j] - alpha * v[j];
      const double w = rowProduct(A, static_cast<int>(j), pShadow.data());
      rShadow[j] = rShadow[j] - alpha * w;
      sumR += r[j] * r[j];
      rhoNext += rShadow[j] * r[j];
    }
    const double normR = std::sqrt(sumR);
    rho = rhoNext;

    if (tol * normB > normR) {
      console.line("BiCg converged after ", k + 1, " iterations");
      return 0;
    }
    if (k == maxit - 1) {
      console.line("BiCg completed ", maxit, " iterations with a relative residual of ",
                   normR / normB);
      flag = 1;
    }
    if ((k + 1) % kProgressEvery == 0 && k + 1 <= kLastProgress) {
      console.line("BiCg Iteration = ", k + 1, "       RR = ", normR / normB);
    }
  }
  return flag;
}

}  // namespace

int solveBiCG(const DenseMatrix& A, std::span<const double> b, std::span<double> x, int maxit,
              double tol, io::TextStream& console) {
  FRACFLOW_CHECK(A.n >= 0 &&
                 A.a.size() == static_cast<std::size_t>(A.n) * static_cast<std::size_t>(A.n));
  return bicg(A, b, x, maxit, tol, console);
}

int solveBiCG(const CsrMatrix& A, std::span<const double> b, std::span<double> x, int maxit,
              double tol, io::TextStream& console) {
  FRACFLOW_CHECK(isWellFormed(A));
  return bicg(A, b, x, maxit, tol, console);
}

}  // namespace fracflow::solvers
