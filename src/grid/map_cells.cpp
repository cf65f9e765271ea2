// The boundary pass and the internal pass over the active cells.
#include "grid/map_cells.hpp"

#include "grid/map_crossing.hpp"
#include "io/check.hpp"

namespace fracflow::grid {
namespace {

void mapCell(const GridGeometry& grid, const SegmentTable& segments, const CellCrossings& crossings,
             int i, int j, Cell& cell) {
  const auto c = static_cast<std::size_t>(grid.cellNumber(i, j));
  for (std::size_t n = crossings.cellStart[c]; n < crossings.cellStart[c + 1]; ++n) {
    const CellCrossing& crossing = crossings.crossings[n];
    const Segment& segment = segments[static_cast<std::size_t>(crossing.segment)];
    for (int face = kTop; face <= kLeft; ++face) {
      if ((crossing.faces >> face) & 1u) mapCrossing(cell, grid, i, j, segment, face);
    }
  }
}

}  // namespace

void mapCells(const GridGeometry& grid, const FaceHeads& heads, const SegmentTable& segments,
              const CellCrossings& crossings, CellTable& table) {
  std::size_t r = 0;
  for (int i = 0; i < grid.cellx; ++i) {
    for (int j = 0; j < grid.celly; ++j) {
      if (!grid.isBoundaryCell(i, j) || !crossings.isActive(grid.cellNumber(i, j))) continue;
      FRACFLOW_CHECK(r < table.cells.size());
      Cell& cell = table.cells[r++];
      mapCell(grid, segments, crossings, i, j, cell);
      cell.head = boundaryHead(grid, heads, i, j, cell.center[0], cell.center[1]);
    }
  }
  for (int i = 1; i <= grid.cellx - 2; ++i) {
    for (int j = 1; j <= grid.celly - 2; ++j) {
      if (!crossings.isActive(grid.cellNumber(i, j))) continue;
      FRACFLOW_CHECK(r < table.cells.size());
      mapCell(grid, segments, crossings, i, j, table.cells[r++]);
    }
  }
  FRACFLOW_CHECK(r == table.cells.size());
}

}  // namespace fracflow::grid
