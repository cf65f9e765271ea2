#include "network/fracture_clipping.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace fracflow::network {
namespace {

struct ClipCase {
  const char* name;
  Fracture read;  // perm, x1, y1, x2, y2
  Fracture kept;
};

// 10 × 10 domain. Expected ends from the line through the two read ends, by hand; the
// values are chosen so that the midpoint formulas give them exactly.
TEST(ClipFracture, MovesEachEndOntoTheFaceItLiesBeyond) {
  const ClipCase cases[] = {
      {"inside: unchanged", {1.5, 1, 2, 8, 9}, {1.5, 1, 2, 8, 9}},
      // a: mid (8, 5), slope 0.5, meets x = 10 at y = 6.
      {"a right face", {1, 2, 2, 14, 8}, {1, 2, 2, 10, 6}},
      // b: mid (1, 5), horizontal.
      {"b left face", {1, -1, 5, 3, 5}, {1, 0, 5, 3, 5}},
      // c: mid (5, 8), inverse slope 0.5, meets y = 10 at x = 6.
      {"c top face", {1, 2, 2, 8, 14}, {1, 2, 2, 6, 10}},
      // d: slope −2 from (2, 8), meets y = 0 at x = 6.
      {"d bottom face", {1, 2, 8, 8, -4}, {1, 2, 8, 6, 0}},
      // e: mid (8.5, 1.5), slope −1, meets x = 10 at y = 0, which is not below 0.
      {"e corner, vertical face", {1, 5, 5, 12, -2}, {1, 5, 5, 10, 0}},
      // e: slope −1 through (8, 0): meets x = 10 at y = −2, so the bottom face at x = 8.
      {"e corner, horizontal face", {1, 4, 4, 12, -4}, {1, 4, 4, 8, 0}},
      // f: slope 0.5 from (6, 3) meets x = 0 at y = 0.
      {"f corner, vertical face", {1, 6, 3, -2, -1}, {1, 6, 3, 0, 0}},
      // f: slope 1 through (2, 0): x = 0 at y = −2, so the bottom face at x = 2.
      {"f corner, horizontal face", {1, 6, 4, -2, -4}, {1, 6, 4, 2, 0}},
      // g: slope 1 through (10, 8).
      {"g corner, vertical face", {1, 6, 4, 14, 12}, {1, 6, 4, 10, 8}},
      // g: slope 1 through (8, 10): x = 10 at y = 12, so the top face at x = 8.
      {"g corner, horizontal face", {1, 4, 6, 12, 14}, {1, 4, 6, 8, 10}},
      // h: slope −0.5 from (8, 4) meets x = 0 at y = 8.
      {"h corner, vertical face", {1, 8, 4, -4, 10}, {1, 8, 4, 0, 8}},
      // h: slope −1 from (6, 6): x = 0 at y = 12, so the top face at x = 2.
      {"h corner, horizontal face", {1, 6, 6, -2, 14}, {1, 6, 6, 2, 10}},
      // Both ends outside: each is clipped with the same midpoint (5, 5).
      {"both ends", {1, -5, 5, 15, 5}, {1, 0, 5, 10, 5}},
      // A midpoint beyond the right face passes the test.
      {"midpoint beyond the right face", {1, 8, 5, 16, 5}, {1, 8, 5, 10, 5}},
      // A fracture of no length inside the domain is kept (the tiny pass ends the run on it).
      {"zero length inside", {1, 3, 3, 3, 3}, {1, 3, 3, 3, 3}},
  };
  for (const ClipCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<Fracture> kept = clipFracture(c.read, 10.0, 10.0);
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->perm, c.kept.perm);
    EXPECT_EQ(kept->x1, c.kept.x1);
    EXPECT_EQ(kept->y1, c.kept.y1);
    EXPECT_EQ(kept->x2, c.kept.x2);
    EXPECT_EQ(kept->y2, c.kept.y2);
  }
}

TEST(ClipFracture, AssignsTheExactFaceValueAndKeepsTheLineOtherwise) {
  // h, vertical face with a slope that does not come out exact: slope −0.7 from (8, 4)
  // gives y = 9.6 at x = 0, to rounding.
  const std::optional<Fracture> kept = clipFracture({1, 8, 4, -2, 11}, 10.0, 10.0);
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(kept->x2, 0.0);
  EXPECT_NEAR(kept->y2, 9.6, 1e-12);
}

TEST(ClipFracture, DropsFracturesWithNoPointInTheDomain) {
  const struct {
    const char* name;
    Fracture read;
    double domain;
  } cases[] = {
      {"midpoint left of the domain", {1, -3, 5, 1, 5}, 10.0},
      {"midpoint below the domain", {1, 5, -3, 5, 1}, 10.0},
      {"wholly beyond the right face collapses to a point", {1, 12, 2, 14, 2}, 10.0},
      {"parallel to the right face beyond it has no finite point", {1, 12, 2, 12, 6}, 10.0},
      {"wholly above the top face collapses to a point", {1, 3, 12, 3, 14}, 10.0},
      {"parallel to the top face above it has no finite point", {1, 2, 12, 6, 12}, 10.0},
      {"beyond the right face, its line meets x = L below the domain", {1, 12, 2, 14, 6}, 10.0},
      // Each end clipped with its own slope rounding: (10, 2.620303030303055) and
      // (10, 2.620303030303015), a piece of 4e-14 that would end the run.
      {"wholly beyond the right face, clipped ends an ulp apart",
       {1, 10.47, 8.36, 10.14, 4.33},
       10.0},
      {"touching the right face from outside", {1, 10, 4.33, 10.47, 8.36}, 10.0},
      {"touching the top face from outside", {1, 4.33, 10, 8.36, 10.47}, 10.0},
      {"passing outside a corner clips to points off the domain", {1, -1, 99.5, 5, 105.5}, 100.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(clipFracture(c.read, c.domain, c.domain).has_value());
  }
}

TEST(ClipFracture, KeepsAFractureAlongAFace) {
  const std::optional<Fracture> kept = clipFracture({1, 10, 2, 10, 6}, 10.0, 10.0);
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(kept->x1, 10.0);
  EXPECT_EQ(kept->y2, 6.0);
}

TEST(ClipFracture, LeavesAnEndOnTheFaceUnchanged) {
  double x = 10.0;
  double y = 4.0;
  clipEnd(x, y, 5.0, 5.0, 10.0, 10.0);
  EXPECT_EQ(x, 10.0);
  EXPECT_EQ(y, 4.0);
}

}  // namespace
}  // namespace fracflow::network
