// Sparse LU factorization with partial pivoting (KLU, which needs no BLAS and no threads: the
// same bits on every run) of a general square matrix held in compressed rows.
#pragma once

#include <memory>
#include <span>

#include "solvers/csr_matrix.hpp"
#include "solvers/factor_stats.hpp"

namespace fracflow::solvers {

class SparseLu {
 public:
  // Factors A. When the symbolic analysis foresees factors larger than memoryLimitBytes the
  // factorization is not attempted (status TooLarge).
  SparseLu(const CsrMatrix& A, double memoryLimitBytes);
  ~SparseLu();
  SparseLu(const SparseLu&) = delete;
  SparseLu& operator=(const SparseLu&) = delete;

  const FactorStats& stats() const { return stats_; }

  // x = A^-1 b; only when the status is Factored.
  void solve(std::span<const double> b, std::span<double> x);

 private:
  struct Library;
  std::unique_ptr<Library> library_;
  FactorStats stats_;
};

}  // namespace fracflow::solvers
