// The direct solve: floating parts set apart, the factorization chosen, solve and refinement.
#include "solvers/direct_solve.hpp"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

#include "io/check.hpp"
#include "solvers/floating_components.hpp"
#include "solvers/sparse_cholesky.hpp"
#include "solvers/sparse_lu.hpp"

namespace fracflow::solvers {
namespace {

// Refinement steps at most, each one more solve with the factor already made.
constexpr int kMaxRefinementSteps = 3;

double norm2(std::span<const double> u) {
  double sum = 0.0;
  for (double value : u) sum += value * value;
  return std::sqrt(sum);
}

// The block of A over the held unknowns (newIndex[i] >= 0), in their order. Entries that
// couple a held unknown to a floating one are stored zeros: they are left out.
CsrMatrix heldBlock(const CsrMatrix& A, const std::vector<int>& newIndex, int heldCount) {
  CsrMatrix block;
  block.n = heldCount;
  block.rowStart.reserve(static_cast<std::size_t>(heldCount) + 1);
  for (std::size_t i = 0; i < static_cast<std::size_t>(A.n); ++i) {
    if (newIndex[i] < 0) continue;
    for (auto k = A.rowStart[i]; k < A.rowStart[i + 1]; ++k) {
      const int j = newIndex[static_cast<std::size_t>(A.column[k])];
      if (j < 0) continue;
      block.column.push_back(j);
      block.value.push_back(A.value[k]);
    }
    block.rowStart.push_back(block.column.size());
  }
  return block;
}

// +1 when every diagonal entry is positive, -1 when every one is negative, 0 otherwise.
double diagonalSign(const CsrMatrix& A) {
  bool positive = true;
  bool negative = true;
  for (int i = 0; i < A.n; ++i) {
    const double d = entryAt(A, i, i);
    positive = positive && d > 0.0;
    negative = negative && d < 0.0;
  }
  if (positive) return 1.0;
  if (negative) return -1.0;
  return 0.0;
}

DirectStatus statusOf(FactorStatus status) {
  switch (status) {
    case FactorStatus::TooLarge:
      return DirectStatus::TooLarge;
    case FactorStatus::OutOfMemory:
      return DirectStatus::OutOfMemory;
    default:
      return DirectStatus::Singular;
  }
}

}  // namespace

std::string_view methodName(DirectMethod method) {
  switch (method) {
    case DirectMethod::Cholesky:
      return "Cholesky";
    case DirectMethod::Lu:
      return "LU";
    case DirectMethod::None:
      break;
  }
  return "none";
}

std::string_view libraryName(DirectMethod method) {
  switch (method) {
    case DirectMethod::Cholesky:
      return "CHOLMOD";
    case DirectMethod::Lu:
      return "KLU";
    case DirectMethod::None:
      break;
  }
  return "";
}

bool isSymmetric(const CsrMatrix& A) {
  for (int i = 0; i < A.n; ++i) {
    for (auto k = A.rowStart[static_cast<std::size_t>(i)];
         k < A.rowStart[static_cast<std::size_t>(i) + 1]; ++k) {
      if (!(entryAt(A, A.column[k], i) == A.value[k])) return false;
    }
  }
  return true;
}

double relativeResidual(const CsrMatrix& A, std::span<const double> b, std::span<const double> x) {
  double sumR = 0.0;
  for (int i = 0; i < A.n; ++i) {
    const double r = b[static_cast<std::size_t>(i)] - rowProduct(A, i, x.data());
    sumR += r * r;
  }
  const double normR = std::sqrt(sumR);
  if (normR == 0.0) return 0.0;
  return normR / norm2(b);
}

DirectReport solveDirect(const CsrMatrix& A, std::span<const double> b, std::span<double> x,
                         const DirectSettings& settings) {
  FRACFLOW_CHECK(isWellFormed(A));
  const auto n = static_cast<std::size_t>(A.n);
  FRACFLOW_CHECK(b.size() == n && x.size() == n);
  DirectReport report;
  report.unknowns = A.n;
  report.memoryLimitBytes = settings.memoryLimitBytes;

  const FloatingComponents floating = findFloatingComponents(A);
  report.floatingComponents = floating.count;
  report.floatingUnknowns = floating.unknowns;

  // b = 0 has the exact solution x = 0, which is what the iterative solvers return.
  if (std::all_of(b.begin(), b.end(), [](double value) { return value == 0.0; })) {
    std::fill(x.begin(), x.end(), 0.0);
    return report;
  }

  // Floating components: a right-hand side there has no solution; otherwise the mean of the
  // start values, summed in unknown order.
  std::vector<double> sum(static_cast<std::size_t>(floating.count), 0.0);
  std::vector<int> members(static_cast<std::size_t>(floating.count), 0);
  std::vector<int> newIndex(n, -1);
  int heldCount = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const int c = floating.componentOf[i];
    if (c < 0) {
      newIndex[i] = heldCount++;
      continue;
    }
    if (b[i] != 0.0) {
      report.status = DirectStatus::Inconsistent;
      report.inconsistentUnknown = static_cast<int>(i);
      return report;
    }
    sum[static_cast<std::size_t>(c)] += x[i];
    ++members[static_cast<std::size_t>(c)];
  }
  for (std::size_t i = 0; i < n; ++i) {
    const int c = floating.componentOf[i];
    if (c >= 0) x[i] = sum[static_cast<std::size_t>(c)] / members[static_cast<std::size_t>(c)];
  }

  std::optional<CsrMatrix> block;
  if (floating.unknowns > 0) block = heldBlock(A, newIndex, heldCount);
  const CsrMatrix& M = block ? *block : A;
  std::vector<double> bHeld;
  bHeld.reserve(static_cast<std::size_t>(heldCount));
  for (std::size_t i = 0; i < n; ++i) {
    if (newIndex[i] >= 0) bHeld.push_back(b[i]);
  }

  if (heldCount > 0) {
    std::optional<SparseCholesky> cholesky;
    std::optional<SparseLu> lu;
    const double sign = isSymmetric(M) ? diagonalSign(M) : 0.0;
    if (sign != 0.0) {
      report.method = DirectMethod::Cholesky;
      cholesky.emplace(M, sign, settings.memoryLimitBytes);
      report.factor = cholesky->stats();
      if (report.factor.status == FactorStatus::NotPositiveDefinite) {
        report.choleskyFailed = true;
        cholesky.reset();
      }
    }
    if (!cholesky) {
      report.method = DirectMethod::Lu;
      lu.emplace(M, settings.memoryLimitBytes);
      report.factor = lu->stats();
    }
    if (report.factor.status != FactorStatus::Factored) {
      report.status = statusOf(report.factor.status);
      return report;
    }
    const auto solveWithFactor = [&](std::span<const double> rhs, std::span<double> y) {
      if (cholesky) {
        cholesky->solve(rhs, y);
      } else {
        lu->solve(rhs, y);
      }
    };

    const auto solveStart = std::chrono::steady_clock::now();
    std::vector<double> y(bHeld.size());
    solveWithFactor(bHeld, y);
    std::vector<double> r(y.size());
    std::vector<double> d(y.size());
    while (report.refinementSteps < kMaxRefinementSteps &&
           !(relativeResidual(M, bHeld, y) <= settings.tol)) {
      for (int i = 0; i < M.n; ++i) {
        r[static_cast<std::size_t>(i)] =
            bHeld[static_cast<std::size_t>(i)] - rowProduct(M, i, y.data());
      }
      solveWithFactor(r, d);
      for (std::size_t i = 0; i < y.size(); ++i) y[i] = y[i] + d[i];
      ++report.refinementSteps;
    }
    report.solveSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - solveStart).count();
    for (std::size_t i = 0; i < n; ++i) {
      if (newIndex[i] >= 0) x[i] = y[static_cast<std::size_t>(newIndex[i])];
    }
  }

  report.relativeResidual = relativeResidual(A, b, x);
  if (!(report.relativeResidual <= settings.tol)) report.status = DirectStatus::AboveTolerance;
  return report;
}

}  // namespace fracflow::solvers
