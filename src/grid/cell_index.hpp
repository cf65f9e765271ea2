// Finding active cells by their centre coordinates without scanning the whole cell table.
// Cells of the table are bucketed by grid column and row; a query visits only the buckets
// that its window can reach and applies the exact predicate of the scan it replaces, so it
// returns exactly the cells that scan would, in the same (array) order. A grid much larger
// than its active cells keeps only its occupied buckets, so the index follows the table.
#pragma once

#include <cstddef>
#include <vector>

#include "core/model_constants.hpp"
#include "grid/cell.hpp"

namespace fracflow::grid {

// The neighbour window of the grid: a centre (x, y) lies in the window about the point
// (px, py) when 0.9999·px < x < 1.0001·px and 0.9999·py < y < 1.0001·py (all strict).
inline bool inNeighbourWindow(double x, double y, double px, double py) {
  return kCellWindowLow * px < x && x < kCellWindowHigh * px && kCellWindowLow * py < y &&
         y < kCellWindowHigh * py;
}

class CellIndex {
 public:
  CellIndex(const std::vector<Cell>& cells, int cellx, int celly, double cellSizeX,
            double cellSizeY);

  // Calls visit(m) for every cell m whose centre lies in the neighbour window about
  // (px, py), in ascending m.
  // visit may itself query the index: the matches are held outside the shared buffer
  // while it runs.
  template <typename Visit>
  void forEachInWindow(double px, double py, Visit visit) const {
    std::vector<int> found;
    found.swap(scratch_);
    collectInWindow(px, py, found);
    for (const int m : found) visit(m);
    found.swap(scratch_);
  }

  // The first cell (in array order) whose centre equals (x, y) exactly, or -1.
  int findExact(double x, double y) const;

 private:
  void collectInWindow(double px, double py, std::vector<int>& out) const;
  // The range of buckets along one axis that can hold a coordinate in [lo, hi].
  void bucketRange(double lo, double hi, double size, int count, int& first, int& last) const;
  // The buckets (i, jFirst) … (i, jLast) hold bucketCells_[first .. last).
  void columnSpan(int i, int jFirst, int jLast, int& first, int& last) const;

  const std::vector<Cell>& cells_;
  int cellx_;
  int celly_;
  double cellSizeX_;
  double cellSizeY_;
  // Bucket (i, j) is number i * celly + j: the cells whose centre falls in column i, row j,
  // ascending. Every bucket has an entry in bucketStart_ (bucket b holds bucketStart_[b] ..
  // bucketStart_[b + 1]) when the grid is not much larger than the table; otherwise only the
  // occupied ones, listed ascending in occupied_ (occupied_[k] holds bucketStart_[k] ..
  // bucketStart_[k + 1]), with the occupied buckets of column i at occupied_[columnStart_[i]
  // .. columnStart_[i + 1]) unless the columns are far more than the cells.
  bool sparse_ = false;
  std::vector<std::size_t> occupied_;
  std::vector<std::ptrdiff_t> columnStart_;
  std::vector<int> bucketStart_;
  std::vector<int> bucketCells_;
  mutable std::vector<int> scratch_;
};

}  // namespace fracflow::grid
