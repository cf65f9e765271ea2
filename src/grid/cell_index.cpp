// Bucketed lookup of cells by centre.
#include "grid/cell_index.hpp"

#include <algorithm>
#include <cmath>

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
  std::vector<int> bucketOfCell(cells.size());
  std::vector<int> counts(buckets + 1, 0);
  for (std::size_t m = 0; m < cells.size(); ++m) {
    const int i = bucketOf(cells[m].center[0], cellSizeX_, cellx_);
    const int j = bucketOf(cells[m].center[1], cellSizeY_, celly_);
    bucketOfCell[m] = i * celly_ + j;
    ++counts[static_cast<std::size_t>(bucketOfCell[m]) + 1];
  }
  for (std::size_t b = 0; b < buckets; ++b) counts[b + 1] += counts[b];
  bucketStart_ = counts;
  bucketCells_.resize(cells.size());
  std::vector<int> fill(counts.begin(), counts.end() - 1);
  for (std::size_t m = 0; m < cells.size(); ++m) {
    bucketCells_[static_cast<std::size_t>(fill[static_cast<std::size_t>(bucketOfCell[m])]++)] =
        static_cast<int>(m);
  }
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
    for (int j = jFirst; j <= jLast; ++j) {
      const auto b = static_cast<std::size_t>(i * celly_ + j);
      for (int k = bucketStart_[b]; k < bucketStart_[b + 1]; ++k) {
        const int m = bucketCells_[static_cast<std::size_t>(k)];
        const Cell& c = cells_[static_cast<std::size_t>(m)];
        if (inNeighbourWindow(c.center[0], c.center[1], px, py)) out.push_back(m);
      }
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
    for (int j = jFirst; j <= jLast; ++j) {
      const auto b = static_cast<std::size_t>(i * celly_ + j);
      for (int k = bucketStart_[b]; k < bucketStart_[b + 1]; ++k) {
        const int m = bucketCells_[static_cast<std::size_t>(k)];
        const Cell& c = cells_[static_cast<std::size_t>(m)];
        if (c.center[0] == x && c.center[1] == y && (found < 0 || m < found)) found = m;
      }
    }
  }
  return found;
}

}  // namespace fracflow::grid
