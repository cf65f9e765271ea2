// A square sparse matrix in compressed-row form: the entries of row i are
// column[rowStart[i]] ... column[rowStart[i + 1] - 1], columns ascending.
#pragma once

#include <cstddef>
#include <vector>

namespace fracflow::solvers {

struct CsrMatrix {
  int n = 0;
  std::vector<std::size_t> rowStart{0};
  std::vector<int> column;
  std::vector<double> value;
};

}  // namespace fracflow::solvers
