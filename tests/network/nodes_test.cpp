#include "network/nodes.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "network/literal_network.hpp"
#include "network/point_index.hpp"
#include "network/point_windows.hpp"
#include "support/same_bits.hpp"

namespace fracflow::network {
namespace {

RunOptions domain100() {
  RunOptions o;
  o.domainL = 100.0;
  o.domainW = 100.0;
  o.tf1 = 10.0;  // top: 10 at x = 0 to 20 at x = 100
  o.tf2 = 20.0;
  o.rf1 = 1.0;  // right: 1 at y = 0 to 3 at y = 100
  o.rf2 = 3.0;
  o.bf1 = 7.0;  // bottom: 7 to 5
  o.bf2 = 5.0;
  o.lf1 = 4.0;  // left: 4 to 8
  o.lf2 = 8.0;
  return o;
}

struct NodeCase {
  const char* name;
  SegmentTable segments;
  int boundary;
  int internal;
};

TEST(Nodes, CountsAndBuildsBoundaryAndInternalNodes) {
  const NodeCase cases[] = {
      // Six end points, three at the junction: c = 3 there, 3 × 1/3 + 3 far ends = 4.
      {"three segments meeting at one point",
       {{1, 10, 10, 50, 50}, {1, 50, 50, 90, 10}, {1, 50, 50, 50, 90}},
       0,
       4},
      {"two segments ending at the same point of a face",
       {{1, 50, 100, 50, 50}, {1, 50, 100, 60, 50}},
       2,
       2},
      {"a corner is one boundary node", {{1, 0, 0, 50, 50}}, 1, 1},
      {"all four corners", {{1, 0, 0, 100, 100}, {1, 100, 0, 0, 100}}, 4, 0},
      {"a segment touching nothing", {{1, 20, 20, 30, 30}}, 0, 2},
      {"end points within a millionth are one node",
       {{1, 20, 20, 50, 50}, {1, 50.00004, 49.99996, 80, 20}},
       0,
       3},
      {"end points just beyond a millionth are two",
       {{1, 20, 20, 50, 50}, {1, 50.00006, 50, 80, 20}},
       0,
       4},
      {"no segments", {}, 0, 0},
  };
  const RunOptions o = domain100();
  for (const NodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const NodeTable t = buildNodes(c.segments, o);
    EXPECT_EQ(t.boundaryNodes, c.boundary);
    EXPECT_EQ(t.internalNodes, c.internal);
    EXPECT_EQ(t.nodes.size(), static_cast<std::size_t>(c.boundary + c.internal));
    const NodeCount count = countNodes(c.segments, o.domainL, o.domainW);
    EXPECT_EQ(count.boundaryNodes, c.boundary);
    EXPECT_EQ(count.internalNodes, c.internal);
  }
}

TEST(Nodes, GivesBoundaryNodesTheHeadOfTheirFace) {
  const RunOptions o = domain100();
  const NodeTable t = buildNodes(
      {{1, 50, 100, 0, 25}, {1, 100, 100, 100, 0}, {1, 0, 0, 0, 100}, {1, 100, 50, 30, 0}}, o);
  ASSERT_EQ(t.boundaryNodes, 8);
  const double heads[] = {
      15.0,                                // middle of the top face: (tf1 + tf2) / 2
      5.0,                                 // a quarter of the left face: lf1 + (lf2 − lf1) / 4
      20.0,                                // corner (L, W): top face, tf2
      1.0,                                 // corner (L, 0): right face, rf1
      7.0,                                 // corner (0, 0): bottom face, bf1
      10.0,                                // corner (0, W): top face, tf1
      2.0,                                 // middle of the right face
      7.0 + (5.0 - 7.0) * (30.0 / 100.0),  // bottom face at x = 30
  };
  for (int k = 0; k < 8; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(t.nodes[static_cast<std::size_t>(k)].head, heads[k]);
  }
  EXPECT_EQ(t.nodes[1].x, 0.0);
  EXPECT_EQ(t.nodes[1].y, 25.0);
}

TEST(Nodes, KeepsTheFirstEndPointOfAClusterAndItsOrder) {
  const RunOptions o = domain100();
  const NodeTable t = buildNodes(
      {{1, 30, 30, 50, 50}, {1, 50.00002, 50.00002, 50, 100}, {1, 60, 60, 30.00001, 29.99999}}, o);
  ASSERT_EQ(t.boundaryNodes, 1);
  ASSERT_EQ(t.internalNodes, 3);
  EXPECT_EQ(t.nodes[1].x, 30.0);
  EXPECT_EQ(t.nodes[2].x, 50.0);
  EXPECT_EQ(t.nodes[3].x, 60.0);
  EXPECT_EQ(t.nodes[1].head, 0.0);
}

TEST(Nodes, SearchesForDuplicatesFromTheLastBoundaryNode) {
  // An interior point in the relative window of the last boundary node makes no node.
  const RunOptions o = domain100();
  const NodeTable t = buildNodes({{1, 50, 100, 50, 99.99995}}, o);
  EXPECT_EQ(t.boundaryNodes, 1);
  EXPECT_EQ(t.internalNodes, 0);
}

// Networks of points that coincide exactly, lie just inside or outside each other's
// windows, or lie on the faces, including x = 0 and y = 0. With `crowded`, most ends reuse
// one of a few points exactly (many fractures sharing an end point), some of them with a
// coordinate so small that a point is not in its own window.
SegmentTable randomNodeNetwork(std::mt19937_64& rng, bool crowded = false) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<Point> pool;
  auto point = [&]() -> Point {
    const double r = unit(rng);
    if (!pool.empty() && r < (crowded ? 0.95 : 0.5)) {
      Point p = pool[static_cast<std::size_t>(unit(rng) * static_cast<double>(pool.size()))];
      const double f[] = {1.0,           1.0,           1.0 + 0.5e-6, 1.0 - 0.5e-6,
                          1.0 + 0.99e-6, 1.0 + 1.01e-6, 1.0 - 1.01e-6};
      if (crowded && unit(rng) < 0.9) return p;
      p.x *= f[static_cast<std::size_t>(unit(rng) * 7)];
      p.y *= f[static_cast<std::size_t>(unit(rng) * 7)];
      return p;
    }
    Point p{unit(rng) * 100, unit(rng) * 100};
    if (r > 0.9)
      p.x = 0.0;
    else if (r > 0.8)
      p.y = 0.0;
    else if (r > 0.75)
      p.y = 100.0;
    else if (r > 0.7)
      p.x = 100.0;
    else if (r > 0.68)
      p = {0.0, 0.0};
    else if (crowded && r > 0.66)
      p.x = 5e-324;  // 0.999999 · x rounds back to x
    pool.push_back(p);
    return p;
  };
  SegmentTable out;
  const int n =
      crowded ? 50 + static_cast<int>(unit(rng) * 400) : 5 + static_cast<int>(unit(rng) * 60);
  for (int k = 0; k < n; ++k) {
    const Point a = point();
    const Point b = point();
    out.push_back({1.0, a.x, a.y, b.x, b.y});
  }
  return out;
}

TEST(Nodes, MatchesThePlainScansOnRandomNetworks) {
  std::mt19937_64 rng(99);
  const RunOptions o = domain100();
  int differ = 0;
  for (int trial = 0; trial < 700; ++trial) {
    SCOPED_TRACE(trial);
    const bool crowded = trial >= 500;
    const SegmentTable seg = randomNodeNetwork(rng, crowded);
    const NodeTable a = buildNodes(seg, o);
    const NodeTable b = literal::literalBuild(seg, o);
    ASSERT_EQ(a.boundaryNodes, b.boundaryNodes);
    ASSERT_EQ(a.internalNodes, b.internalNodes);
    ASSERT_SAME_BITS(a.nodes, b.nodes);
    const NodeCount ca = countNodes(seg, o.domainL, o.domainW);
    const NodeCount cb = literal::literalCount(seg, o.domainL, o.domainW);
    ASSERT_EQ(ca.boundaryNodes, cb.boundaryNodes);
    ASSERT_EQ(ca.internalNodes, cb.internalNodes);
    ASSERT_EQ(ca.boundaryNodes, a.boundaryNodes);
    differ += ca.internalNodes != a.internalNodes ? 1 : 0;
  }
  // Points lying partly in each other's windows do make the two counts disagree.
  EXPECT_GT(differ, 0);
}

TEST(Nodes, ManyFracturesSharingEndPointsMatchThePlainScans) {
  // Copies of one fracture and a star of fractures from one point, with non-finite ends and
  // segments with both ends at the same point among them.
  const RunOptions o = domain100();
  const double inf = std::numeric_limits<double>::infinity();
  SegmentTable seg;
  for (int k = 0; k < 1500; ++k) {
    seg.push_back({1.0, 20.0, 20.0, 60.0, 70.0});
    seg.push_back({1.0, 40.0, 40.0, 40.0 + 0.01 * k, 100.0});
    if (k % 100 == 0) seg.push_back({1.0, 40.0, 40.0, 40.0, 40.0});
    if (k % 250 == 0) seg.push_back({1.0, 20.0, 20.0, inf, std::nan("")});
  }
  const NodeTable a = buildNodes(seg, o);
  const NodeTable b = literal::literalBuild(seg, o);
  ASSERT_EQ(a.internalNodes, 3);
  ASSERT_EQ(a.boundaryNodes, b.boundaryNodes);
  ASSERT_EQ(a.internalNodes, b.internalNodes);
  EXPECT_SAME_BITS(a.nodes, b.nodes);
  const NodeCount ca = countNodes(seg, o.domainL, o.domainW);
  const NodeCount cb = literal::literalCount(seg, o.domainL, o.domainW);
  EXPECT_EQ(ca.boundaryNodes, cb.boundaryNodes);
  EXPECT_EQ(ca.internalNodes, cb.internalNodes);
}

TEST(DistinctPoints, GathersEqualPositionsInOrderOfTheirFirstPoint) {
  const double nan = std::nan("");
  const DistinctPoints points({{3, 4}, {1, 2}, {3, 4}, {nan, 1}, {-0.0, 5}, {0.0, 5}, {1, 2}});
  ASSERT_EQ(points.size(), 7u);
  ASSERT_EQ(points.positionCount(), 3u);
  const int expected[] = {0, 1, 0, -1, 2, 2, 1};
  for (int id = 0; id < 7; ++id) EXPECT_EQ(points.positionOf(id), expected[id]) << id;
  EXPECT_EQ(points.multiplicity(0), 2);
  EXPECT_EQ(points.multiplicity(1), 2);
  EXPECT_EQ(points.multiplicity(2), 2);
  EXPECT_EQ(points.positions().size(), 3u);
  EXPECT_EQ(points.positions().point(1).x, 1.0);
  EXPECT_TRUE(std::isnan(points.point(3).x));
}

}  // namespace
}  // namespace fracflow::network
