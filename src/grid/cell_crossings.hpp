// Which segments cross which cell edges: the outcome of crossesEdge for every (cell,
// segment, face), found from the candidate cells of each segment and grouped by cell in
// visiting order (column outer, row inner), each cell's crossings in segment order. The
// count and both mapping passes read it instead of testing every cell against every segment.
// Only the active cells are listed, so its size follows the crossings, not the grid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "grid/grid_geometry.hpp"
#include "network/segment.hpp"

namespace fracflow::grid {

struct CellCrossing {
  int segment = 0;          // index into the segment table
  std::uint32_t faces = 0;  // bit f set when the segment crosses face f of the cell
};

struct CellCrossings {
  // The active cells (GridGeometry::cellNumber), ascending: the visiting order.
  std::vector<int> activeCells;
  // The crossings of activeCells[a] are crossings[start[a]] ... crossings[start[a + 1] - 1],
  // segments ascending.
  std::vector<std::size_t> start;
  std::vector<CellCrossing> crossings;
};

CellCrossings findCellCrossings(const GridGeometry& grid, const SegmentTable& segments);

}  // namespace fracflow::grid
