#include "grid/cell_crossings.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "grid/candidate_cells.hpp"
#include "grid/literal_grid.hpp"

namespace fracflow::grid {
namespace {

struct GridCase {
  const char* what;
  GridGeometry grid;
};

// cellSizeX and cellSizeY as the options derive them: domainL / cellx, domainW / celly.
GridGeometry makeGrid(int cellx, int celly, double domainL, double domainW) {
  return {cellx, celly, domainL / cellx, domainW / celly, domainL, domainW};
}

const GridCase kGrids[] = {
    {"10 x 10 of 100 m", makeGrid(10, 10, 100.0, 100.0)},
    {"30 x 30 of 100 m (cell size not a binary fraction)", makeGrid(30, 30, 100.0, 100.0)},
    {"16 x 8 of 4 x 2 m (binary cells)", makeGrid(16, 8, 4.0, 2.0)},
    {"7 x 3 of 200 x 100 m", makeGrid(7, 3, 200.0, 100.0)},
    {"one cell", makeGrid(1, 1, 10.0, 10.0)},
    {"one column", makeGrid(1, 9, 10.0, 30.0)},
    {"2 x 5", makeGrid(2, 5, 3.0, 7.0)},
};

TEST(CellCrossings, SameAsTestingEveryCellAgainstEverySegment) {
  std::mt19937 rng(11);
  for (const GridCase& c : kGrids) {
    SCOPED_TRACE(c.what);
    const GridGeometry& g = c.grid;
    const SegmentTable segments = literal::randomNetwork(g, 300, rng);
    const CellCrossings found = findCellCrossings(g, segments);
    ASSERT_EQ(found.start.size(), found.activeCells.size() + 1);
    ASSERT_TRUE(std::is_sorted(found.activeCells.begin(), found.activeCells.end()));
    std::size_t expectedTotal = 0;
    std::size_t a = 0;  // the next active cell of the list
    for (int i = 0; i < g.cellx; ++i) {
      for (int j = 0; j < g.celly; ++j) {
        std::vector<CellCrossing> expected;
        for (std::size_t s = 0; s < segments.size(); ++s) {
          std::uint32_t faces = 0;
          for (int f = kTop; f <= kLeft; ++f) {
            if (crossesEdge(g, i, j, segments[s], f)) faces |= 1u << f;
          }
          if (faces != 0) expected.push_back({static_cast<int>(s), faces});
        }
        expectedTotal += expected.size();
        std::vector<CellCrossing> actual;
        if (a < found.activeCells.size() && found.activeCells[a] == g.cellNumber(i, j)) {
          actual.assign(found.crossings.begin() + static_cast<std::ptrdiff_t>(found.start[a]),
                        found.crossings.begin() + static_cast<std::ptrdiff_t>(found.start[a + 1]));
          ++a;
        }
        ASSERT_EQ(actual.size(), expected.size()) << "cell " << i << "," << j;
        for (std::size_t n = 0; n < expected.size(); ++n) {
          EXPECT_EQ(actual[n].segment, expected[n].segment) << "cell " << i << "," << j;
          EXPECT_EQ(actual[n].faces, expected[n].faces) << "cell " << i << "," << j;
        }
      }
    }
    EXPECT_EQ(a, found.activeCells.size());
    EXPECT_EQ(found.crossings.size(), expectedTotal);
  }
}

// A segment reaching to infinity crosses the right edges of a whole row; the candidates must
// not lose them. A segment with a NaN coordinate crosses nothing.
TEST(CellCrossings, NonFiniteSegmentsAgreeWithTheScan) {
  const GridGeometry g = makeGrid(5, 4, 10.0, 8.0);
  const double inf = std::numeric_limits<double>::infinity();
  const SegmentTable segments = {
      {1.0, 1.0, 3.0, inf, 3.0}, {1.0, 1.0, 3.0, inf, 5.0}, {1.0, std::nan(""), 1.0, 2.0, 2.0}};
  const CellCrossings found = findCellCrossings(g, segments);
  std::size_t expected = 0;
  for (int i = 0; i < g.cellx; ++i) {
    for (int j = 0; j < g.celly; ++j) {
      for (const Segment& s : segments) {
        bool any = false;
        for (int f = kTop; f <= kLeft; ++f) any = any || crossesEdge(g, i, j, s, f);
        if (any) ++expected;
      }
    }
  }
  EXPECT_GT(expected, 0u);
  EXPECT_EQ(found.crossings.size(), expected);
}

// The crossing list follows the crossings, not the grid: two short segments on the largest
// square grid whose cells can be numbered list a handful of cells.
TEST(CellCrossings, HugeGridListsOnlyTheCellsCrossed) {
  const GridGeometry g = makeGrid(46340, 46340, 46340.0, 46340.0);
  const SegmentTable segments = {{1.0, 10.5, 10.5, 13.5, 12.5}, {1.0, 40000.2, 3.5, 40000.7, 1.5}};
  const CellCrossings found = findCellCrossings(g, segments);
  // Every other cell lies a whole cell or more away from both segments.
  std::vector<int> expected;
  for (const int i0 : {0, 39990}) {
    for (int i = i0; i < i0 + 20; ++i) {
      for (int j = 0; j < 20; ++j) {
        bool any = false;
        for (const Segment& s : segments) {
          for (int f = kTop; f <= kLeft; ++f) any = any || crossesEdge(g, i, j, s, f);
        }
        if (any) expected.push_back(g.cellNumber(i, j));
      }
    }
  }
  EXPECT_GT(expected.size(), 5u);
  EXPECT_EQ(found.activeCells, expected);
  EXPECT_EQ(found.start.size(), expected.size() + 1);
}

TEST(CandidateCells, FollowTheSegmentRatherThanItsBoundingBox) {
  // A diagonal across a 100 x 100 grid touches about 200 cells; its bounding box is the grid.
  const GridGeometry g = makeGrid(100, 100, 100.0, 100.0);
  const Segment diagonal{1.0, 0.3, 0.1, 99.7, 99.9};
  int candidates = 0;
  forEachCandidateCell(g, diagonal, [&](int, int) { ++candidates; });
  EXPECT_LT(candidates, 800);
}

}  // namespace
}  // namespace fracflow::grid
