// Bucketed lookup of cells by centre.
#include "grid/cell_index.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/model_constants.hpp"

namespace fracflow::grid {
namespace {

// The column (or row) whose span [k·size, (k+1)·size) holds the coordinate, clamped to the
// grid, with any coordinate that is not finite sent to the nearest end.
int bucketOf(double coordinate, double size, int count) {
  const double k = std::floor(coordinate / size);
  if (!(k >= 0.0)) return 0;
  if (k >= static_cast<double>(count - 1)) return count - 1;
  return static_cast<int>(k);
}

}  // namespace

CellIndex::CellIndex(const std::vector<Cell>& cells, int cellx, int celly, double cellSizeX,
                     double cellSizeY)
    : cells_(cells),
      cellx_(std::max(cellx, 1)),
      celly_(std::max(celly, 1)),
      cellSizeX_(cellSizeX),
      cellSizeY_(cellSizeY) {
  const auto buckets = static_cast<std::size_t>(cellx_) * static_cast<std::size_t>(celly_);
  std::vector<std::size_t> bucketOfCell(cells.size());
  for (std::size_t m = 0; m < cells.size(); ++m) {
    const auto i = static_cast<std::size_t>(bucketOf(cells[m].center[0], cellSizeX_, cellx_));
    const auto j = static_cast<std::size_t>(bucketOf(cells[m].center[1], cellSizeY_, celly_));
    bucketOfCell[m] = i * static_cast<std::size_t>(celly_) + j;
  }
  bucketCells_.resize(cells.size());
  sparse_ = buckets > 4 * cells.size() + 4096;
  if (!sparse_) {
    // Counting sort over every bucket of the grid; stable, so ascending within a bucket.
    bucketStart_.assign(buckets + 1, 0);
    for (const std::size_t b : bucketOfCell) ++bucketStart_[b + 1];
    for (std::size_t b = 0; b < buckets; ++b) bucketStart_[b + 1] += bucketStart_[b];
    std::vector<int> fill(bucketStart_.begin(), bucketStart_.end() - 1);
    for (std::size_t m = 0; m < cells.size(); ++m) {
      bucketCells_[static_cast<std::size_t>(fill[bucketOfCell[m]]++)] = static_cast<int>(m);
    }
    return;
  }
  std::vector<std::pair<std::size_t, int>> byBucket(cells.size());
  for (std::size_t m = 0; m < cells.size(); ++m)
    byBucket[m] = {bucketOfCell[m], static_cast<int>(m)};
  std::sort(byBucket.begin(), byBucket.end());
  for (std::size_t k = 0; k < byBucket.size(); ++k) {
    bucketCells_[k] = byBucket[k].second;
    if (k == 0 || byBucket[k].first != byBucket[k - 1].first) {
      occupied_.push_back(byBucket[k].first);
      bucketStart_.push_back(static_cast<int>(k));
    }
  }
  bucketStart_.push_back(static_cast<int>(byBucket.size()));
  if (static_cast<std::size_t>(cellx_) <= 4 * cells.size() + 4096) {
    columnStart_.assign(static_cast<std::size_t>(cellx_) + 1, 0);
    for (const std::size_t b : occupied_) ++columnStart_[b / static_cast<std::size_t>(celly_) + 1];
    for (std::size_t i = 0; i + 1 < columnStart_.size(); ++i) {
      columnStart_[i + 1] += columnStart_[i];
    }
  }
}

void CellIndex::columnSpan(int i, int jFirst, int jLast, int& first, int& last) const {
  // The buckets of one column are numbered in a row, and the cells are held bucket by bucket.
  const std::size_t lo = static_cast<std::size_t>(i) * static_cast<std::size_t>(celly_) +
                         static_cast<std::size_t>(jFirst);
  const std::size_t hi = static_cast<std::size_t>(i) * static_cast<std::size_t>(celly_) +
                         static_cast<std::size_t>(jLast) + 1;
  if (!sparse_) {
    first = bucketStart_[lo];
    last = bucketStart_[hi];
    return;
  }
  // The occupied buckets of column i, when the columns are few enough to list.
  auto begin = occupied_.begin();
  auto end = occupied_.end();
  if (!columnStart_.empty()) {
    begin += columnStart_[static_cast<std::size_t>(i)];
    end = occupied_.begin() + columnStart_[static_cast<std::size_t>(i) + 1];
  }
  const auto k0 = std::lower_bound(begin, end, lo) - occupied_.begin();
  const auto k1 = std::lower_bound(occupied_.begin() + k0, end, hi) - occupied_.begin();
  first = bucketStart_[static_cast<std::size_t>(k0)];
  last = bucketStart_[static_cast<std::size_t>(k1)];
}

void CellIndex::bucketRange(double lo, double hi, double size, int count, int& first,
                            int& last) const {
  // One bucket of margin on each side covers centres that round across a bucket edge.
  first = std::max(bucketOf(lo, size, count) - 1, 0);
  last = std::min(bucketOf(hi, size, count) + 1, count - 1);
}

void CellIndex::collectInWindow(double px, double py, std::vector<int>& out) const {
  out.clear();
  if (cells_.empty()) return;
  const double xLo = std::min(kCellWindowLow * px, kCellWindowHigh * px);
  const double xHi = std::max(kCellWindowLow * px, kCellWindowHigh * px);
  const double yLo = std::min(kCellWindowLow * py, kCellWindowHigh * py);
  const double yHi = std::max(kCellWindowLow * py, kCellWindowHigh * py);
  if (!(xLo <= xHi) || !(yLo <= yHi)) return;  // NaN: no centre can match
  int iFirst = 0, iLast = 0, jFirst = 0, jLast = 0;
  bucketRange(xLo, xHi, cellSizeX_, cellx_, iFirst, iLast);
  bucketRange(yLo, yHi, cellSizeY_, celly_, jFirst, jLast);
  for (int i = iFirst; i <= iLast; ++i) {
    int first = 0, last = 0;
    columnSpan(i, jFirst, jLast, first, last);
    for (int k = first; k < last; ++k) {
      const int m = bucketCells_[static_cast<std::size_t>(k)];
      const Cell& c = cells_[static_cast<std::size_t>(m)];
      if (inNeighbourWindow(c.center[0], c.center[1], px, py)) out.push_back(m);
    }
  }
  std::sort(out.begin(), out.end());
}

int CellIndex::findExact(double x, double y) const {
  if (cells_.empty()) return -1;
  int iFirst = 0, iLast = 0, jFirst = 0, jLast = 0;
  bucketRange(x, x, cellSizeX_, cellx_, iFirst, iLast);
  bucketRange(y, y, cellSizeY_, celly_, jFirst, jLast);
  int found = -1;
  for (int i = iFirst; i <= iLast; ++i) {
    int first = 0, last = 0;
    columnSpan(i, jFirst, jLast, first, last);
    for (int k = first; k < last; ++k) {
      const int m = bucketCells_[static_cast<std::size_t>(k)];
      const Cell& c = cells_[static_cast<std::size_t>(m)];
      if (c.center[0] == x && c.center[1] == y && (found < 0 || m < found)) found = m;
    }
  }
  return found;
}

}  // namespace fracflow::grid
