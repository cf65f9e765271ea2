// Products, checks and conversions of the compressed-row matrix.
#include "solvers/csr_matrix.hpp"

#include <algorithm>

#include "io/check.hpp"

namespace fracflow::solvers {

void multiply(const CsrMatrix& A, std::span<const double> x, std::span<double> y) {
  FRACFLOW_CHECK(x.size() == static_cast<std::size_t>(A.n) && y.size() == x.size());
  for (int i = 0; i < A.n; ++i) y[static_cast<std::size_t>(i)] = rowProduct(A, i, x.data());
}

bool isWellFormed(const CsrMatrix& A) {
  if (A.n < 0 || A.rowStart.size() != static_cast<std::size_t>(A.n) + 1) return false;
  if (A.rowStart.front() != 0 || A.rowStart.back() != A.column.size()) return false;
  if (A.value.size() != A.column.size()) return false;
  for (std::size_t i = 0; i < static_cast<std::size_t>(A.n); ++i) {
    const auto begin = A.rowStart[i];
    const auto end = A.rowStart[i + 1];
    if (end < begin || end > A.column.size()) return false;
    for (std::size_t k = begin; k < end; ++k) {
      if (A.column[k] < 0 || A.column[k] >= A.n) return false;
      if (k > begin && A.column[k] <= A.column[k - 1]) return false;
    }
  }
  return true;
}

DenseMatrix toDense(const CsrMatrix& A) {
  DenseMatrix dense(A.n);
  for (int i = 0; i < A.n; ++i) {
    for (auto k = A.rowStart[static_cast<std::size_t>(i)];
         k < A.rowStart[static_cast<std::size_t>(i) + 1]; ++k) {
      dense.at(i, A.column[k]) = A.value[k];
    }
  }
  return dense;
}

double entryAt(const CsrMatrix& A, int i, int j) {
  const auto first =
      A.column.begin() + static_cast<std::ptrdiff_t>(A.rowStart[static_cast<std::size_t>(i)]);
  const auto last =
      A.column.begin() + static_cast<std::ptrdiff_t>(A.rowStart[static_cast<std::size_t>(i) + 1]);
  const auto found = std::lower_bound(first, last, j);
  if (found == last || *found != j) return 0.0;
  return A.value[static_cast<std::size_t>(found - A.column.begin())];
}

}  // namespace fracflow::solvers
