// Count and mapping passes over one crossing list.
#include "grid/fracture_continuum.hpp"

#include <climits>
#include <string>
#include <utility>

#include "grid/active_cells.hpp"
#include "grid/cell_crossings.hpp"
#include "grid/map_cells.hpp"
#include "io/error.hpp"

namespace fracflow::grid {

CellTable mapFractureContinuum(const GridGeometry& grid, const FaceHeads& heads,
                               SegmentTable gridSegments, io::TextStream& console) {
  // Cells are numbered with ints; a grid beyond that could not be held anyway.
  if (static_cast<long long>(grid.cellx) * grid.celly > INT_MAX) {
    throw Error(ErrorKind::Input, "cellx x celly = " + std::to_string(grid.cellx) + " x " +
                                      std::to_string(grid.celly) +
                                      ": the grid has too many cells to be mapped");
  }
  const SegmentTable segments = std::move(gridSegments);
  const CellCrossings crossings = findCellCrossings(grid, segments);
  CellTable table = countActiveCells(grid, crossings, console);
  mapCells(grid, heads, segments, crossings, table);
  return table;
}

}  // namespace fracflow::grid
