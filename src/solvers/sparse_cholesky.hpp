// Sparse Cholesky factorization (CHOLMOD, simplicial, so no BLAS and no threads: the same
// bits on every run) of a symmetric definite matrix held in compressed rows.
#pragma once

#include <memory>
#include <span>

#include "solvers/csr_matrix.hpp"
#include "solvers/factor_stats.hpp"

namespace fracflow::solvers {

class SparseCholesky {
 public:
  // Factors sign · A = L L' (sign = -1 for a negative definite A), reading the entries on and
  // below the diagonal of A only. When the symbolic analysis foresees a factor larger than
  // memoryLimitBytes the factorization is not attempted (status TooLarge).
  SparseCholesky(const CsrMatrix& A, double sign, double memoryLimitBytes);
  ~SparseCholesky();
  SparseCholesky(const SparseCholesky&) = delete;
  SparseCholesky& operator=(const SparseCholesky&) = delete;

  const FactorStats& stats() const { return stats_; }

  // x = A^-1 b; only when the status is Factored.
  void solve(std::span<const double> b, std::span<double> x);

 private:
  struct Library;
  std::unique_ptr<Library> library_;
  FactorStats stats_;
  double sign_ = 1.0;
};

}  // namespace fracflow::solvers
