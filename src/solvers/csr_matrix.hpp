// A square sparse matrix in compressed-row form: the entries of row i are
// column[rowStart[i]] ... column[rowStart[i + 1] - 1], columns ascending. It holds every entry
// an assembly touched, so a stored entry may be zero.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "solvers/dense_matrix.hpp"

namespace fracflow::solvers {

struct CsrMatrix {
  int n = 0;
  std::vector<std::size_t> rowStart{0};
  std::vector<int> column;
  std::vector<double> value;
};

inline int matrixOrder(const CsrMatrix& A) { return A.n; }

// Row i of A times x, summed over the stored entries in column order into a sum that starts
// at +0. Entries that are not stored are zeros of the dense form; leaving their products out
// changes no finite sum (the sum is never -0, and adding +-0 to it is exact), so the result is
// bit-identical to the dense row product whenever x is finite.
inline double rowProduct(const CsrMatrix& A, int i, const double* x) {
  const auto begin = A.rowStart[static_cast<std::size_t>(i)];
  const auto end = A.rowStart[static_cast<std::size_t>(i) + 1];
  const int* column = A.column.data();
  const double* value = A.value.data();
  double sum = 0.0;
  for (std::size_t k = begin; k < end; ++k) sum += value[k] * x[column[k]];
  return sum;
}

// y = A x, row by row.
void multiply(const CsrMatrix& A, std::span<const double> x, std::span<double> y);

// True when the arrays describe an n x n matrix: rowStart of n + 1 non-decreasing offsets from
// 0 to the entry count, columns in range and strictly ascending within each row.
bool isWellFormed(const CsrMatrix& A);

// The dense form: stored entries at their places, zeros elsewhere.
DenseMatrix toDense(const CsrMatrix& A);

// The stored entry (i, j), or 0 when it is not stored.
double entryAt(const CsrMatrix& A, int i, int j);

}  // namespace fracflow::solvers
