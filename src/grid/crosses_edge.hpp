// The edge-crossing test on which the active-cell count and both mapping passes rest: does a
// segment cross one edge of a cell? Horizontal and vertical segments rely on IEEE infinities
// and NaN failing every comparison, so the arithmetic must not trap.
#pragma once

#include "grid/cell.hpp"
#include "grid/grid_geometry.hpp"
#include "network/segment.hpp"

namespace fracflow::grid {

// True when the segment meets edge `face` (kTop, kRight, kBottom, kLeft) of cell (i, j) at a
// point of the closed edge, at a fraction t of the way from P1 to P2 with 0 < t <= 1. A start
// point lying exactly on the edge line counts when the segment moves at least 0.0001 away
// from it across the edge.
bool crossesEdge(const GridGeometry& grid, int i, int j, const Segment& segment, int face);

}  // namespace fracflow::grid
