#include "transport/backbone_end_index.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <vector>

#include "random_networks.hpp"
#include "transport_test_support.hpp"

namespace fracflow::transport {
namespace {

std::vector<int> scanned(const SegmentTable& segments, double x, double y) {
  std::vector<int> out;
  for (std::size_t s = 0; s < segments.size(); ++s) {
    const Segment& g = segments[s];
    if (atParticlePosition(g.x1, g.y1, x, y) || atParticlePosition(g.x2, g.y2, x, y)) {
      out.push_back(static_cast<int>(s));
    }
  }
  return out;
}

TEST(BackboneEndIndex, FindsWhatTheFullScanFindsInStoredOrder) {
  std::mt19937_64 gen(11);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<int> found;
  for (int trial = 0; trial < 20; ++trial) {
    const RunOptions o = testing::transportOptions(100.0, 70.0, 7, 7);
    const Backbone b = testing::randomBackbone(gen, o, 3 + trial % 9);
    const BackboneEndIndex index(b.segments);
    for (const Segment& s : b.segments) {
      for (const auto& [x, y] : {std::pair{s.x1, s.y1}, std::pair{s.x2, s.y2}}) {
        index.segmentsAt(x, y, found);
        ASSERT_EQ(found, scanned(b.segments, x, y))
            << "trial " << trial << " at " << x << ", " << y;
        // Just inside and just outside the window of an end.
        for (const double factor : {1.0000009, 0.9999991, 1.0000011, 0.9999989}) {
          index.segmentsAt(x * factor, y, found);
          ASSERT_EQ(found, scanned(b.segments, x * factor, y));
          index.segmentsAt(x, y * factor, found);
          ASSERT_EQ(found, scanned(b.segments, x, y * factor));
        }
      }
    }
    for (int k = 0; k < 200; ++k) {
      const double x = unit(gen) * 120.0 - 10.0, y = unit(gen) * 90.0 - 10.0;
      index.segmentsAt(x, y, found);
      ASSERT_EQ(found, scanned(b.segments, x, y));
    }
  }
}

TEST(BackboneEndIndex, DegenerateLayoutsAndPositions) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const SegmentTable segments = {
      {1.0, 0.0, 0.0, 0.0, 5.0},  {1.0, 0.0, 5.0, 0.0, 9.0},  // a vertical line: no x extent
      {1.0, -2.0, 3.0, 0.0, 0.0}, {1.0, nan, 1.0, 0.0, 9.0},  // a negative and a NaN end
      {1.0, inf, 2.0, 0.0, 5.0},
  };
  const BackboneEndIndex index(segments);
  std::vector<int> found;
  const std::pair<double, double> queries[] = {
      {0.0, 0.0}, {0.0, 5.0}, {-0.0, 9.0}, {-2.0, 3.0},
      {nan, 1.0}, {inf, 2.0}, {0.0, inf},  {1e300, 5.0},
  };
  for (const auto& [x, y] : queries) {
    SCOPED_TRACE(std::to_string(x) + ", " + std::to_string(y));
    index.segmentsAt(x, y, found);
    EXPECT_EQ(found, scanned(segments, x, y));
  }
  // A negative coordinate has an empty window, whatever lies there.
  index.segmentsAt(-2.0, 3.0, found);
  EXPECT_TRUE(found.empty());
  const BackboneEndIndex none(SegmentTable{});
  none.segmentsAt(1.0, 1.0, found);
  EXPECT_TRUE(found.empty());
}

}  // namespace
}  // namespace fracflow::transport
