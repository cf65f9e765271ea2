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
    return a[static_cast<std::size_t>(i) * static_cast<std::size_t>(n) + static_cast<std::size_t>(j)];
  }
  double at(int i, int j) const {
    return a[static_cast<std::size_t>(i) * static_cast<std::size_t>(n) + static_cast<std::size_t>(j)];
  }
};

}  // namespace fracflow::solvers
