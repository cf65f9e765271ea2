// The boundary pass and the internal pass over the active cells.
#include "grid/map_cells.hpp"

#include "grid/map_crossing.hpp"
#include "io/check.hpp"

namespace fracflow::grid {
namespace {

// Maps the crossings of the a-th active cell, (i, j).
void mapCell(const GridGeometry& grid, const SegmentTable& segments, const CellCrossings& crossings,
             std::size_t a, int i, int j, Cell& cell) {
  for (std::size_t n = crossings.start[a]; n < crossings.start[a + 1]; ++n) {
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
  // The active cells are listed in visiting order (column outer, row inner), so each pass
  // meets its cells in the order of a walk over the whole grid.
  std::size_t r = 0;
  for (std::size_t a = 0; a < crossings.activeCells.size(); ++a) {
    const int i = grid.columnOf(crossings.activeCells[a]);
    const int j = grid.rowOf(crossings.activeCells[a]);
    if (!grid.isBoundaryCell(i, j)) continue;
    FRACFLOW_CHECK(r < table.cells.size());
    Cell& cell = table.cells[r++];
    mapCell(grid, segments, crossings, a, i, j, cell);
    cell.head = boundaryHead(grid, heads, i, j, cell.center[0], cell.center[1]);
  }
  for (std::size_t a = 0; a < crossings.activeCells.size(); ++a) {
    const int i = grid.columnOf(crossings.activeCells[a]);
    const int j = grid.rowOf(crossings.activeCells[a]);
    if (grid.isBoundaryCell(i, j)) continue;
    FRACFLOW_CHECK(r < table.cells.size());
    mapCell(grid, segments, crossings, a, i, j, table.cells[r++]);
  }
  FRACFLOW_CHECK(r == table.cells.size());
}

}  // namespace fracflow::grid
