#include "dfn/node_index.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "dfn/node_index.hpp"
#include "network/point_windows.hpp"

namespace fracflow::dfn {
namespace {

// Nodes packed so densely that the buckets are about as wide as the windows, so a window
// regularly straddles bucket edges; queries at and around the nodes.
TEST(NodeIndex, FindsWhatAScanOfAllNodesFinds) {
  struct Cluster {
    const char* name;
    double x0;
    double y0;
    double size;
  };
  const Cluster clusters[] = {
      {"away from the axes", 1.0, 2.0, 2e-4},
      {"at the origin", 0.0, 0.0, 1e-4},
      {"on x = 0", 0.0, 5.0, 3e-4},
      {"large coordinates", 1e5, 3e5, 5.0},
  };
  std::mt19937_64 rng(42);
  for (const Cluster& c : clusters) {
    SCOPED_TRACE(c.name);
    std::uniform_real_distribution<double> offset(-c.size, c.size);
    std::vector<Node> nodes;
    for (int k = 0; k < 1500; ++k) nodes.push_back({0.0, c.x0 + offset(rng), c.y0 + offset(rng)});
    nodes.push_back({0.0, std::numeric_limits<double>::quiet_NaN(), c.y0});
    const NodeIndex index(nodes);
    std::vector<int> found;
    for (int k = 0; k < 1500; ++k) {
      const Node& at = nodes[static_cast<std::size_t>(k)];
      const double ex = k % 3 == 0 ? at.x : c.x0 + offset(rng);
      const double ey = k % 3 == 0 ? at.y : c.y0 + offset(rng);
      const int first = k % 5;
      std::vector<int> expected;
      for (int q = first; q < static_cast<int>(nodes.size()); ++q) {
        const Node& node = nodes[static_cast<std::size_t>(q)];
        if (network::inRelativeWindow(node.x, node.y, ex, ey)) expected.push_back(q);
      }
      index.nodesInRelativeWindowOf(ex, ey, first, found);
      ASSERT_EQ(found, expected) << "relative window about " << ex << ", " << ey;
      for (const double d : {kFarEnd2Offset, kFarEnd1Offset}) {
        expected.clear();
        for (int p = 0; p < static_cast<int>(nodes.size()); ++p) {
          const Node& node = nodes[static_cast<std::size_t>(p)];
          if (network::inWidenedWindow(ex, ey, node.x, node.y, d)) expected.push_back(p);
        }
        index.nodesWhoseWidenedWindowHolds(ex, ey, d, found);
        ASSERT_EQ(found, expected) << "widened windows holding " << ex << ", " << ey;
      }
    }
  }
}

TEST(NodeIndex, PointsThatAreNotFiniteMatchNothing) {
  const std::vector<Node> nodes = {{0.0, 1.0, 1.0}, {0.0, 0.0, 0.0}};
  const NodeIndex index(nodes);
  std::vector<int> found{7};
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (const double v : {nan, inf, -inf}) {
    index.nodesInRelativeWindowOf(v, 1.0, 0, found);
    EXPECT_TRUE(found.empty());
    index.nodesWhoseWidenedWindowHolds(0.0, v, 1e-5, found);
    EXPECT_TRUE(found.empty());
  }
}

TEST(NodeIndex, EmptyTableFindsNothing) {
  const NodeIndex index(std::vector<Node>{});
  std::vector<int> found;
  index.nodesWhoseWidenedWindowHolds(0.0, 0.0, 1e-5, found);
  EXPECT_TRUE(found.empty());
}

}  // namespace
}  // namespace fracflow::dfn
