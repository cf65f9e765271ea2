// Builds a compressed-row matrix row by row the way a dense assembly fills a zeroed row: each
// entry is assigned or accumulated in the order of the calls, so the stored values are
// bit-identical to the dense ones. The diagonal is always stored, even when it stays zero.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "solvers/csr_matrix.hpp"

namespace fracflow::solvers {

class CsrBuilder {
 public:
  // order: the number of rows and columns; entriesHint: the expected number of stored entries.
  explicit CsrBuilder(int order, std::size_t entriesHint = 0);

  // Starts the next row (rows come in order 0, 1, ..., order - 1); all its entries are 0.
  void beginRow();
  // Entry (row, column) = value, whatever it held.
  void set(int column, double value);
  // Entry (row, column) = entry + value.
  void add(int column, double value);
  // Entry (row, column) = entry - value.
  void subtract(int column, double value);
  // The current value of entry (row, column): 0 when the row has not touched it.
  double get(int column) const;
  // Stores the row's touched entries with their columns ascending.
  void endRow();

  // The row being built, or the last one finished (-1 before the first row).
  int row() const { return row_; }
  // The matrix, once every row has been finished; the builder is then spent.
  CsrMatrix finish();

 private:
  double& entry(int column);

  CsrMatrix matrix_;
  int row_ = -1;
  bool inRow_ = false;
  // Position of a column in entries_ for the row being built, -1 when untouched.
  std::vector<int> slotOfColumn_;
  std::vector<std::pair<int, double>> entries_;
};

}  // namespace fracflow::solvers
