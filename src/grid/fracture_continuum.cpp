// Count and mapping passes over one crossing list.
#include "grid/fracture_continuum.hpp"

#include <utility>

#include "grid/active_cells.hpp"
#include "grid/cell_crossings.hpp"
#include "grid/map_cells.hpp"

namespace fracflow::grid {

CellTable mapFractureContinuum(const GridGeometry& grid, const FaceHeads& heads,
                               SegmentTable gridSegments, io::TextStream& console) {
  const SegmentTable segments = std::move(gridSegments);
  const CellCrossings crossings = findCellCrossings(grid, segments);
  CellTable table = countActiveCells(grid, crossings, console);
  mapCells(grid, heads, segments, crossings, table);
  return table;
}

}  // namespace fracflow::grid
