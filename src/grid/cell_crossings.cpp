// The crossing list of a grid, built segment by segment and grouped by cell.
#include "grid/cell_crossings.hpp"

#include "grid/candidate_cells.hpp"
#include "grid/cell.hpp"
#include "grid/crosses_edge.hpp"

namespace fracflow::grid {
namespace {

struct FoundCrossing {
  int cell;
  CellCrossing crossing;
};

}  // namespace

CellCrossings findCellCrossings(const GridGeometry& grid, const SegmentTable& segments) {
  std::vector<FoundCrossing> found;
  for (std::size_t s = 0; s < segments.size(); ++s) {
    const Segment& segment = segments[s];
    forEachCandidateCell(grid, segment, [&](int i, int j) {
      std::uint32_t faces = 0;
      for (int face = kTop; face <= kLeft; ++face) {
        if (crossesEdge(grid, i, j, segment, face)) faces |= 1u << face;
      }
      if (faces != 0) found.push_back({grid.cellNumber(i, j), {static_cast<int>(s), faces}});
    });
  }

  // Counting sort by cell; it is stable, so each cell keeps its crossings in segment order.
  CellCrossings result;
  const auto cellCount =
      static_cast<std::size_t>(grid.cellx > 0 && grid.celly > 0 ? grid.cellCount() : 0);
  result.cellStart.assign(cellCount + 1, 0);
  for (const FoundCrossing& f : found) ++result.cellStart[static_cast<std::size_t>(f.cell) + 1];
  for (std::size_t c = 0; c < cellCount; ++c) result.cellStart[c + 1] += result.cellStart[c];
  result.crossings.resize(found.size());
  std::vector<std::size_t> next(result.cellStart.begin(), result.cellStart.end() - 1);
  for (const FoundCrossing& f : found) {
    result.crossings[next[static_cast<std::size_t>(f.cell)]++] = f.crossing;
  }
  return result;
}

}  // namespace fracflow::grid
