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

// Sorts by cell number, 16 bits per pass (cell numbers are non-negative ints). Each pass is
// stable, so each cell keeps its crossings in the order found: segment order.
void sortByCell(std::vector<FoundCrossing>& found) {
  std::vector<FoundCrossing> scratch(found.size());
  for (int shift = 0; shift < 32; shift += 16) {
    std::vector<std::size_t> start((1u << 16) + 1, 0);
    const auto digit = [shift](const FoundCrossing& f) {
      return (static_cast<std::uint32_t>(f.cell) >> shift) & 0xFFFFu;
    };
    for (const FoundCrossing& f : found) ++start[digit(f) + 1];
    for (std::size_t d = 0; d + 1 < start.size(); ++d) start[d + 1] += start[d];
    for (const FoundCrossing& f : found) scratch[start[digit(f)]++] = f;
    found.swap(scratch);
  }
}

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
  sortByCell(found);

  CellCrossings result;
  result.crossings.reserve(found.size());
  for (std::size_t n = 0; n < found.size(); ++n) {
    if (n == 0 || found[n].cell != found[n - 1].cell) {
      result.activeCells.push_back(found[n].cell);
      result.start.push_back(n);
    }
    result.crossings.push_back(found[n].crossing);
  }
  result.start.push_back(found.size());
  return result;
}

}  // namespace fracflow::grid
