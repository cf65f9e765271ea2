// Which segments cross which cell edges: the outcome of crossesEdge for every (cell,
// segment, face), found from the candidate cells of each segment and grouped by cell in
// visiting order (column outer, row inner), each cell's crossings in segment order. The
// count and both mapping passes read it instead of testing every cell against every segment.
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
  // The crossings of cell number c (GridGeometry::cellNumber) are
  // crossings[cellStart[c]] ... crossings[cellStart[c + 1] - 1], segments ascending.
  std::vector<std::size_t> cellStart;
  std::vector<CellCrossing> crossings;

  bool isActive(int cell) const {
    const auto c = static_cast<std::size_t>(cell);
    return cellStart[c + 1] > cellStart[c];
  }
};

CellCrossings findCellCrossings(const GridGeometry& grid, const SegmentTable& segments);

}  // namespace fracflow::grid
