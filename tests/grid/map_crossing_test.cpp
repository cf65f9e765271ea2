#include "grid/map_crossing.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "grid/crosses_edge.hpp"

namespace fracflow::grid {
namespace {

GridGeometry unitGrid(int cells, double size) {
  return {cells, cells, size, size, cells * size, cells * size};
}

struct FactorCase {
  const char* what;
  GridGeometry grid;
  int i, j, face;
  Segment segment;
  double factor;  // the expected orientation factor, by hand
};

TEST(MapCrossing, PassThroughAndShortCrossings) {
  const double L1 = std::sqrt(0.2 * 0.2 + 1.0);
  const double L2 = std::sqrt(9.0 + 0.2 * 0.2);
  const double L3 = std::sqrt(1.8 * 1.8 + 0.2 * 0.2);
  const double L4 = std::sqrt(1.4 * 1.4 + 0.4 * 0.4);
  const FactorCase cases[] = {
      // Starts inside the cell, leaves through the top, shorter than 2·dy: the normal part.
      {"short, out of the top", unitGrid(5, 1.0), 1, 1, kTop, {1, 1.5, 1.5, 1.7, 2.5}, 1.0 / L1},
      // dx = dy = 2.5, a 3-4-5 segment from inside the cell: L = 5 = 2·dy is not short...
      {"length exactly 2·dy",
       unitGrid(5, 2.5),
       1,
       1,
       kTop,
       {1, 3.0, 3.0, 6.0, 7.0},
       4.0 / 5.0 + 3.0 / 5.0},
      // ...and the same direction a little shorter is.
      {"just below 2·dy",
       unitGrid(5, 2.5),
       1,
       1,
       kTop,
       {1, 3.0, 3.0, 5.97, 6.96},
       3.96 / std::sqrt(2.97 * 2.97 + 3.96 * 3.96)},
      // Nearly horizontal, from the far edge of the left neighbour to the far edge of the
      // right neighbour, both ends in the row: passes through on both side faces.
      {"through, right face",
       unitGrid(5, 1.0),
       2,
       2,
       kRight,
       {1, 1.0, 2.4, 4.0, 2.6},
       0.2 / L2 + 3.0 / L2},
      {"through, left face",
       unitGrid(5, 1.0),
       2,
       2,
       kLeft,
       {1, 1.0, 2.4, 4.0, 2.6},
       0.2 / L2 + 3.0 / L2},
      // Same far end but starting inside the cell: short, the x part.
      {"from inside to far, right face",
       unitGrid(5, 1.0),
       2,
       2,
       kRight,
       {1, 2.2, 2.4, 4.0, 2.6},
       1.8 / L3},
      // Neither end strictly inside the column: through, however short.
      {"no end in band",
       unitGrid(5, 1.0),
       1,
       1,
       kTop,
       {1, 0.8, 1.8, 2.2, 2.2},
       0.4 / L4 + 1.4 / L4},
      // Ends on the column's lines are not in band: through.
      {"ends on the column lines",
       unitGrid(5, 1.0),
       1,
       1,
       kTop,
       {1, 1.0, 1.5, 2.0, 2.5},
       1.0 / std::sqrt(2.0) + 1.0 / std::sqrt(2.0)},
      {"short, out of the bottom",
       unitGrid(5, 1.0),
       1,
       1,
       kBottom,
       {1, 1.5, 1.5, 1.3, 0.5},
       1.0 / std::sqrt(1.04)},
      {"short, out of the left",
       unitGrid(5, 1.0),
       1,
       1,
       kLeft,
       {1, 1.5, 1.5, 0.5, 1.7},
       1.0 / std::sqrt(1.04)},
  };
  for (const FactorCase& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(crossesEdge(c.grid, c.i, c.j, c.segment, c.face));
    Cell cell;
    mapCrossing(cell, c.grid, c.i, c.j, c.segment, c.face);
    EXPECT_EQ(cell.center[0], (c.i + 0.5) * c.grid.cellSizeX);
    EXPECT_EQ(cell.center[1], (c.j + 0.5) * c.grid.cellSizeY);
    const auto f = static_cast<std::size_t>(c.face);
    EXPECT_DOUBLE_EQ(cell.faceK[f], c.factor);
    EXPECT_DOUBLE_EQ(cell.crfactor[f], c.factor);
    EXPECT_EQ(cell.kSum[f], 1.0);
    for (std::size_t other = 0; other < 4; ++other) {
      if (other != f) {
        EXPECT_EQ(cell.kSum[other], 0.0);
      }
    }
  }
}

TEST(MapCrossing, TwoCrossingsOfOneFaceAccumulate) {
  const GridGeometry g = unitGrid(3, 1.0);
  const Segment vertical{1.0, 1.5, 0.5, 1.5, 2.5};  // k = 1, factor 1
  const Segment diagonal{3.0, 0.8, 1.2, 2.3, 2.7};  // k = 3, 45 degrees, passes through
  Cell cell;
  mapCrossing(cell, g, 1, 1, vertical, kTop);
  mapCrossing(cell, g, 1, 1, diagonal, kTop);
  EXPECT_NEAR(cell.faceK[kTop], 1.0 + 3.0 * std::sqrt(2.0), 1e-14);
  EXPECT_EQ(cell.kSum[kTop], 4.0);
  EXPECT_NEAR(cell.crfactor[kTop], (1.0 + 3.0 * std::sqrt(2.0)) / 4.0, 1e-15);
}

TEST(MapCrossing, ZeroPermeabilityFirstCrossingLeavesTheMeanFactorUsable) {
  const GridGeometry g = unitGrid(3, 1.0);
  Cell cell;
  mapCrossing(cell, g, 1, 1, {0.0, 1.5, 0.5, 1.5, 2.5}, kTop);
  EXPECT_EQ(cell.faceK[kTop], 0.0);
  EXPECT_EQ(cell.kSum[kTop], 0.0);
  EXPECT_EQ(cell.crfactor[kTop], 0.0);  // not 0 / 0
  mapCrossing(cell, g, 1, 1, {2.0, 0.8, 1.2, 2.3, 2.7}, kTop);
  EXPECT_NEAR(cell.crfactor[kTop], std::sqrt(2.0), 1e-15);
  EXPECT_EQ(cell.kSum[kTop], 2.0);
}

}  // namespace
}  // namespace fracflow::grid
