// The cells along a segment that can hold one of its crossings: every cell the segment
// touches, widened by a margin of at least one cell on each side. A crossing found by
// crossesEdge lies on the segment up to rounding (far below a cell), so it always falls in a
// candidate cell and the exact test over the candidates finds every crossing a scan of the
// whole grid would.
#pragma once

#include "grid/grid_geometry.hpp"
#include "network/segment.hpp"

namespace fracflow::grid {

// An inclusive range of column or row indices; empty when first > last.
struct IndexRange {
  int first = 0;
  int last = -1;
};

// The columns the segment can cross.
IndexRange candidateColumns(const GridGeometry& grid, const Segment& segment);
// The rows of column i that the segment can cross.
IndexRange candidateRows(const GridGeometry& grid, const Segment& segment, int i);

// Calls visit(i, j) once for each candidate cell, columns ascending, rows ascending.
template <typename Visit>
void forEachCandidateCell(const GridGeometry& grid, const Segment& segment, Visit visit) {
  const IndexRange columns = candidateColumns(grid, segment);
  for (int i = columns.first; i <= columns.last; ++i) {
    const IndexRange rows = candidateRows(grid, segment, i);
    for (int j = rows.first; j <= rows.last; ++j) visit(i, j);
  }
}

}  // namespace fracflow::grid
