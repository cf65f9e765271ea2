// The two mapping passes that fill the cell table: the active boundary cells first, each
// with its fixed head, then the active internal cells, both in visiting order (column outer,
// row inner), each cell's crossings mapped in segment order and faces top, right, bottom,
// left.
#pragma once

#include "grid/boundary_head.hpp"
#include "grid/cell.hpp"
#include "grid/cell_crossings.hpp"
#include "grid/grid_geometry.hpp"
#include "network/segment.hpp"

namespace fracflow::grid {

// Fills table.cells, created by countActiveCells from the same crossings.
void mapCells(const GridGeometry& grid, const FaceHeads& heads, const SegmentTable& segments,
              const CellCrossings& crossings, CellTable& table);

}  // namespace fracflow::grid
