// A sparse accumulator over one row: a column-to-slot table of the matrix order, cleared entry
// by entry after each row, so every update is constant time however long the row.
#include "solvers/csr_builder.hpp"

#include <algorithm>

#include "io/check.hpp"

namespace fracflow::solvers {

CsrBuilder::CsrBuilder(int order, std::size_t entriesHint)
    : slotOfColumn_(static_cast<std::size_t>(std::max(order, 0)), -1) {
  FRACFLOW_CHECK(order >= 0);
  matrix_.n = order;
  matrix_.rowStart.reserve(static_cast<std::size_t>(order) + 1);
  matrix_.column.reserve(entriesHint);
  matrix_.value.reserve(entriesHint);
}

void CsrBuilder::beginRow() {
  FRACFLOW_CHECK(!inRow_);
  ++row_;
  FRACFLOW_CHECK(row_ < matrix_.n);
  inRow_ = true;
  entry(row_);
}

double& CsrBuilder::entry(int column) {
  FRACFLOW_CHECK(inRow_ && column >= 0 && column < matrix_.n);
  int& slot = slotOfColumn_[static_cast<std::size_t>(column)];
  if (slot < 0) {
    slot = static_cast<int>(entries_.size());
    entries_.emplace_back(column, 0.0);
  }
  return entries_[static_cast<std::size_t>(slot)].second;
}

void CsrBuilder::set(int column, double value) { entry(column) = value; }

void CsrBuilder::add(int column, double value) {
  double& e = entry(column);
  e = e + value;
}

void CsrBuilder::subtract(int column, double value) {
  double& e = entry(column);
  e = e - value;
}

double CsrBuilder::get(int column) const {
  FRACFLOW_CHECK(inRow_ && column >= 0 && column < matrix_.n);
  const int slot = slotOfColumn_[static_cast<std::size_t>(column)];
  return slot < 0 ? 0.0 : entries_[static_cast<std::size_t>(slot)].second;
}

void CsrBuilder::endRow() {
  FRACFLOW_CHECK(inRow_);
  inRow_ = false;
  std::sort(entries_.begin(), entries_.end(),
            [](const auto& left, const auto& right) { return left.first < right.first; });
  for (const auto& [column, value] : entries_) {
    matrix_.column.push_back(column);
    matrix_.value.push_back(value);
    slotOfColumn_[static_cast<std::size_t>(column)] = -1;
  }
  matrix_.rowStart.push_back(matrix_.column.size());
  entries_.clear();
}

CsrMatrix CsrBuilder::finish() {
  FRACFLOW_CHECK(!inRow_ && row_ + 1 == matrix_.n);
  row_ = matrix_.n;
  return std::move(matrix_);
}

}  // namespace fracflow::solvers
