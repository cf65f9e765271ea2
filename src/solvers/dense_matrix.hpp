// A square dense matrix stored row-major: entry (i, j) at i * n + j.
#pragma once

#include <cstddef>
#include <vector>

namespace fracflow::solvers {

struct DenseMatrix {
  int n = 0;
  std::vector<double> a;

  explicit DenseMatrix(int order = 0)
      : n(order), a(static_cast<std::size_t>(order) * static_cast<std::size_t>(order), 0.0) {}
  double& at(int i, int j) {
    return a[static_cast<std::size_t>(i) * static_cast<std::size_t>(n) +
             static_cast<std::size_t>(j)];
  }
  double at(int i, int j) const {
    return a[static_cast<std::size_t>(i) * static_cast<std::size_t>(n) +
             static_cast<std::size_t>(j)];
  }
};

inline int matrixOrder(const DenseMatrix& A) { return A.n; }

// The storage holds exactly n × n entries.
inline bool isWellFormed(const DenseMatrix& A) {
  return A.n >= 0 && A.a.size() == static_cast<std::size_t>(A.n) * static_cast<std::size_t>(A.n);
}

// Row i of A times x, summed from column 0 upward into a sum that starts at +0.
inline double rowProduct(const DenseMatrix& A, int i, const double* x) {
  const auto n = static_cast<std::size_t>(A.n);
  const double* row = A.a.data() + static_cast<std::size_t>(i) * n;
  double sum = 0.0;
  for (std::size_t j = 0; j < n; ++j) sum += row[j] * x[j];
  return sum;
}

}  // namespace fracflow::solvers
