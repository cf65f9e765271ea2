// MINRES in the Lanczos form with Givens rotations (Paige-Saunders), written once over the row
// product of the matrix so that the dense and the compressed-row forms run the same arithmetic.
// The vector sweeps are fused where that keeps every operation and every sum order: alpha is
// summed while A v is formed, betaNext while vNext is formed, and the next Lanczos vector is
// normalised in the sweep that updates w and x.
#include "solvers/minres.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "io/check.hpp"

namespace fracflow::solvers {
namespace {

double norm2(const std::vector<double>& u) {
  double sum = 0.0;
  for (double value : u) sum += value * value;
  return std::sqrt(sum);
}

template <typename Matrix>
SolveReport minres(const Matrix& A, std::span<const double> b, std::span<double> x, int maxit,
                   double tol, io::TextStream& console) {
  const int order = matrixOrder(A);
  FRACFLOW_CHECK(order >= 0);
  const auto n = static_cast<std::size_t>(order);
  FRACFLOW_CHECK(b.size() == n && x.size() == n);

  double sumB = 0.0;
  for (double value : b) sumB += value * value;
  const double normB = std::sqrt(sumB);

  // b = 0 has the exact solution x = 0, which the relative test against ||b|| = 0 would
  // never accept.
  if (std::all_of(b.begin(), b.end(), [](double value) { return value == 0.0; })) {
    std::fill(x.begin(), x.end(), 0.0);
    console.line("MINRES converged after ", 1, " steps");
    return {true, 1, 0.0};
  }

  std::vector<double> vPrev(n, 0.0), v(n, 0.0), vNext(n, 0.0);
  std::vector<double> wPrev2(n, 0.0), wPrev(n, 0.0), w(n, 0.0);
  std::vector<double> Av(n, 0.0);

  for (std::size_t i = 0; i < n; ++i) {
    v[i] = rowProduct(A, static_cast<int>(i), x.data());
    v[i] = b[i] - v[i];
  }
  double beta = norm2(v);
  // An exact start vector: the first normalisation would divide 0 by 0.
  if (beta == 0.0) {
    console.line("MINRES converged after ", 1, " steps");
    return {true, 1, 0.0};
  }

  double eta = beta;
  double gammaPrev = 1.0;
  double gamma = 1.0;
  double sigmaPrev = 0.0;
  double sigma = 0.0;
  long long k = 1;

  for (std::size_t i = 0; i < n; ++i) v[i] = v[i] / beta;
  while (true) {
    double alpha = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
      Av[i] = rowProduct(A, static_cast<int>(i), v.data());
      alpha += v[i] * Av[i];
    }

    double sumNext = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
      vNext[i] = Av[i] - alpha * v[i] - beta * vPrev[i];
      sumNext += vNext[i] * vNext[i];
    }
    const double betaNext = std::sqrt(sumNext);

    const double delta = gamma * alpha - gammaPrev * sigma * beta;
    const double rho1 = std::sqrt(delta * delta + betaNext * betaNext);
    const double rho2 = sigma * alpha + gammaPrev * gamma * beta;
    const double rho3 = sigmaPrev * beta;
    const double gammaNext = delta / rho1;
    const double sigmaNext = betaNext / rho1;

    const double inverseRho1 = 1.0 / rho1;
    const double step = gammaNext * eta;
    for (std::size_t i = 0; i < n; ++i) {
      w[i] = inverseRho1 * (v[i] - rho3 * wPrev2[i] - rho2 * wPrev[i]);
      x[i] = x[i] + step * w[i];
      // The next step's first act, done here while the sweep is in the cache.
      vNext[i] = vNext[i] / betaNext;
    }
    eta = -sigmaNext * eta;
    ++k;

    // vNext and w are overwritten in full before they are read again, so the rotation does
    // not need to clear them.
    std::swap(vPrev, v);
    std::swap(v, vNext);
    std::swap(wPrev2, wPrev);
    std::swap(wPrev, w);

    beta = betaNext;
    gammaPrev = gamma;
    gamma = gammaNext;
    sigmaPrev = sigma;
    sigma = sigmaNext;

    if (k % 100 == 0) {
      console.line("Iteration Number = ", k, "        Relative Residual = ", std::abs(eta) / normB);
    }
    if (k > maxit) break;
    if (!(std::abs(eta) > tol * normB)) break;
  }

  // |eta| is the norm of the residual of the current iterate.
  const double residual = std::abs(eta) / normB;
  if (std::abs(eta) <= tol * normB) {
    console.line("MINRES converged after ", k, " steps");
    return {true, k, residual};
  }
  console.line("MINRES completed ", k,
               " steps without convergence. Value of final eta value is equal to = ", eta);
  return {false, k, residual};
}

}  // namespace

SolveReport solveMINRES(const DenseMatrix& A, std::span<const double> b, std::span<double> x,
                        int maxit, double tol, io::TextStream& console) {
  FRACFLOW_CHECK(isWellFormed(A));
  return minres(A, b, x, maxit, tol, console);
}

SolveReport solveMINRES(const CsrMatrix& A, std::span<const double> b, std::span<double> x,
                        int maxit, double tol, io::TextStream& console) {
  FRACFLOW_CHECK(isWellFormed(A));
  return minres(A, b, x, maxit, tol, console);
}

}  // namespace fracflow::solvers
