#include "dfn/end_heads.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "dfn/literal_network_flow.hpp"
#include "dfn/random_network.hpp"
#include "support/same_bits.hpp"

namespace fracflow::dfn {
namespace {

TEST(EndHeads, MatchThePlainScanOnRandomNetworks) {
  const double unset = std::numeric_limits<double>::quiet_NaN();
  for (const unsigned seed : {11u, 12u, 13u, 14u, 15u, 16u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    testing::NetworkMaker maker(seed, seed % 2 ? 10.0 : 1.0, seed % 3 ? 10.0 : 300.0);
    const testing::RandomNetwork net = maker.make(150, 400);
    const EndHeads heads = findEndHeads(net.segments, net.nodes);
    const EndHeads reference = literal::endHeads(net.segments, net.nodes, unset);
    EXPECT_SAME_BITS(heads.head1, reference.head1);
    EXPECT_SAME_BITS(heads.head2, reference.head2);
  }
}

TEST(EndHeads, LaterNodeWinsAndEnd2SkipsNodesHoldingEnd1) {
  // Nodes 0 and 1 both hold (2, 2) within their windows; node 2 holds both ends of the
  // short segment from (5, 5) to (5.000001, 5), node 2 (5.0000065, 5) only its end 2: node 3
  // comes later but holds end 1 as well, so it gives no head to end 2.
  NodeTable nodes;
  nodes.boundaryNodes = 0;
  nodes.internalNodes = 4;
  nodes.nodes = {{1.0, 2.0, 2.0}, {2.0, 2.0000001, 2.0}, {3.0, 5.0000065, 5.0}, {4.0, 5.0, 5.0}};
  const SegmentTable segments = {{1.0, 2.0, 2.0, 9.0, 9.0}, {1.0, 5.0, 5.0, 5.000001, 5.0}};
  const EndHeads heads = findEndHeads(segments, nodes);
  EXPECT_EQ(heads.head1[0], 2.0);
  EXPECT_TRUE(std::isnan(heads.head2[0]));  // no node near (9, 9)
  EXPECT_EQ(heads.head1[1], 4.0);
  EXPECT_EQ(heads.head2[1], 3.0);
  // The same choice as node numbers, for the files that draw the network.
  const EndNodes ends = findEndNodes(segments, nodes);
  EXPECT_EQ(ends.node1, (std::vector<int>{1, 3}));
  EXPECT_EQ(ends.node2, (std::vector<int>{kNoNode, 2}));
}

TEST(EndHeads, NodesOnTheAxesMatchThroughTheAbsoluteOffset) {
  NodeTable nodes;
  nodes.boundaryNodes = 2;
  nodes.nodes = {{7.0, 0.0, 3.0}, {8.0, 4.0, 0.0}};
  // 5e-7 off the axis: a relative window about 0 is empty, the widened one is not.
  const SegmentTable segments = {{1.0, 5e-7, 3.0, 4.0, -5e-6}};
  const EndHeads heads = findEndHeads(segments, nodes);
  EXPECT_EQ(heads.head1[0], 7.0);
  EXPECT_EQ(heads.head2[0], 8.0);
}

}  // namespace
}  // namespace fracflow::dfn
