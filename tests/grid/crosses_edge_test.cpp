#include "grid/crosses_edge.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace fracflow::grid {
namespace {

// The faces of cell (i, j) the segment crosses, as a string of T, R, B, L in face order.
std::string crossedFaces(const GridGeometry& g, int i, int j, const Segment& s) {
  std::string faces;
  const char names[] = "TRBL";
  for (int f = kTop; f <= kLeft; ++f) {
    if (crossesEdge(g, i, j, s, f)) faces += names[f];
  }
  return faces;
}

const GridGeometry kUnit3x3{3, 3, 1.0, 1.0, 3.0, 3.0};

TEST(CrossesEdge, DiagonalThroughGridNodesTouchesEveryCellAroundEachNode) {
  const Segment s{1.0, 0.0, 0.0, 2.0, 2.0};
  // (i, j) -> faces; grid nodes (1, 1) and (2, 2) lie on the segment.
  const char* expected[3][3] = {{"TRBL", "RB", ""}, {"TL", "TRBL", "RB"}, {"", "TL", "BL"}};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      SCOPED_TRACE("cell " + std::to_string(i) + "," + std::to_string(j));
      EXPECT_EQ(crossedFaces(kUnit3x3, i, j, s), expected[i][j]);
    }
  }
}

struct EdgeCase {
  const char* what;
  Segment segment;
  int i, j;
  const char* faces;
};

TEST(CrossesEdge, EndPointsOnEdgesAndDegenerateSegments) {
  const EdgeCase cases[] = {
      // Anti-diagonal from (0, 2): P1 on the left edge line, at the shared corner of (0, 1)
      // and (0, 2); both closed ranges hold y = 2.
      // The lower cell also has P1 at its top-left corner, on its top edge line.
      {"anti-diagonal, lower cell", {1, 0, 2, 2, 0}, 0, 1, "TRBL"},
      {"anti-diagonal, upper cell", {1, 0, 2, 2, 0}, 0, 2, "BL"},
      {"wholly inside one cell", {1, 1.2, 1.2, 1.8, 1.7}, 1, 1, ""},
      // P2 exactly on an edge line, P1 off it: t = 1 counts.
      {"P2 on top edge", {1, 1.5, 1.5, 1.7, 2.0}, 1, 1, "T"},
      {"P2 on right edge", {1, 1.5, 1.5, 2.0, 1.4}, 1, 1, "R"},
      {"P2 on bottom edge", {1, 1.5, 1.5, 1.2, 1.0}, 1, 1, "B"},
      {"P2 on left edge", {1, 1.5, 1.5, 1.0, 1.6}, 1, 1, "L"},
      // P1 exactly on an edge line, leaving it across the edge: the 0.0001 offset.
      {"P1 on top edge, going up", {1, 1.5, 2.0, 1.6, 2.5}, 1, 1, "T"},
      {"P1 on top edge, going down", {1, 1.5, 2.0, 1.6, 1.5}, 1, 1, "T"},
      {"P1 on right edge, going right", {1, 2.0, 1.5, 2.5, 1.6}, 1, 1, "R"},
      {"P1 on right edge, going left", {1, 2.0, 1.5, 1.5, 1.6}, 1, 1, "R"},
      {"P1 on bottom edge, going down", {1, 1.5, 1.0, 1.6, 0.5}, 1, 1, "B"},
      {"P1 on bottom edge, going up", {1, 1.5, 1.0, 1.6, 1.5}, 1, 1, "B"},
      {"P1 on left edge, going left", {1, 1.0, 1.5, 0.5, 1.6}, 1, 1, "L"},
      {"P1 on left edge, going right", {1, 1.0, 1.5, 1.5, 1.6}, 1, 1, "L"},
      // ...but not when it moves less than 0.0001 across.
      {"P1 on top edge, moving 5e-5 down", {1, 1.5, 2.0, 1.9, 2.0 - 5e-5}, 1, 1, ""},
      {"P1 on left edge, moving 5e-5 right", {1, 1.0, 1.5, 1.0 + 5e-5, 1.9}, 1, 1, ""},
      {"horizontal, through the cell", {1, 0.5, 1.5, 2.5, 1.5}, 1, 1, "RL"},
      {"horizontal on a grid line, cell above", {1, 0.5, 1.0, 2.5, 1.0}, 1, 1, "RL"},
      {"horizontal on a grid line, cell below", {1, 0.5, 1.0, 2.5, 1.0}, 1, 0, "RL"},
      {"vertical, through the cell", {1, 1.5, 0.5, 1.5, 2.5}, 1, 1, "TB"},
      {"vertical on a grid line, cell right", {1, 1.0, 0.5, 1.0, 2.5}, 1, 1, "TB"},
      {"vertical on a grid line, cell left", {1, 1.0, 0.5, 1.0, 2.5}, 0, 1, "TB"},
      {"zero length on a grid node", {1, 1.0, 1.0, 1.0, 1.0}, 1, 1, ""},
      {"zero length inside", {1, 1.5, 1.5, 1.5, 1.5}, 1, 1, ""},
      {"NaN coordinate", {1, 0.5, std::nan(""), 2.5, 1.5}, 1, 1, ""},
  };
  for (const EdgeCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(crossedFaces(kUnit3x3, c.i, c.j, c.segment), c.faces);
  }
}

}  // namespace
}  // namespace fracflow::grid
