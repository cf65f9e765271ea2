#include "transport/network_candidates.hpp"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "literal_walks.hpp"
#include "random_networks.hpp"
#include "transport_test_support.hpp"

namespace fracflow::transport {
namespace {

TEST(NetworkCandidates, MatchTheLiteralGatherAtEveryEnd) {
  std::mt19937_64 gen(23);
  std::vector<int> segments;
  std::vector<NetworkCandidate> found;
  int manyWays = 0;
  for (int trial = 0; trial < 20; ++trial) {
    const RunOptions o = testing::transportOptions(100.0, 100.0, 7, 7);
    const Backbone b = testing::randomBackbone(gen, o, 4 + trial % 7);
    const BackboneEndIndex index(b.segments);
    for (int end = 0; end < 2 * b.count(); ++end) {
      const double x = endX(b, end), y = endY(b, end);
      index.segmentsAt(x, y, segments);
      const double sum = gatherNetworkCandidates(b, segments, x, y, found);
      literal::Slots expected;
      for (std::size_t s = 0; s < b.segments.size(); ++s) {
        const Segment& g = b.segments[s];
        const double h1 = b.head1[s], h2 = b.head2[s];
        if (literal::endMatches(g.x1, g.y1, x, y) && h1 > h2) {
          expected.put(literal::flowAlong(h1, h2, g.perm, literal::lengthOf(g)), g.x1, g.y1, g.x2,
                       g.y2);
        } else if (literal::endMatches(g.x2, g.y2, x, y) && h2 > h1) {
          expected.put(literal::flowAlong(h2, h1, g.perm, literal::lengthOf(g)), g.x2, g.y2, g.x1,
                       g.y1);
        }
      }
      ASSERT_EQ(static_cast<int>(found.size()), expected.count)
          << "trial " << trial << " end " << end;
      if (found.size() > 3) ++manyWays;
      EXPECT_EQ(sum, expected.sum);
      for (std::size_t k = 0; k < found.size(); ++k) {
        EXPECT_EQ(found[k].flow, expected.flow[k]);
        EXPECT_EQ(endX(b, found[k].originEnd), expected.a[k]);
        EXPECT_EQ(endY(b, found[k].originEnd), expected.b[k]);
        EXPECT_EQ(endX(b, found[k].destinationEnd), expected.destX[k]);
        EXPECT_EQ(endY(b, found[k].destinationEnd), expected.destY[k]);
      }
    }
  }
  EXPECT_GT(manyWays, 0);  // ends with four or more ways down were met
}

TEST(NetworkCandidates, EndOneWinsAndAnUphillEndOneLetsEndTwoTry) {
  // Both ends of one short segment lie in the window of (10, 10); the higher end decides.
  Backbone b;
  b.segments = {{1000.0, 10.0, 10.0, 10.000001, 10.0}, {1000.0, 10.0, 10.0, 10.000001, 10.0}};
  b.head1 = {5.0, 4.0};
  b.head2 = {4.0, 5.0};
  std::vector<NetworkCandidate> found;
  gatherNetworkCandidates(b, {0, 1}, 10.0, 10.0, found);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].originEnd, 0);  // segment 0 from end 1
  EXPECT_EQ(found[1].originEnd, 3);  // segment 1 from end 2
}

}  // namespace
}  // namespace fracflow::transport
