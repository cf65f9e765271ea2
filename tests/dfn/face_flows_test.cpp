#include "dfn/face_flows.hpp"

#include <gtest/gtest.h>

namespace fracflow::dfn {
namespace {

RunOptions domain() {
  RunOptions o;
  o.domainL = 10.0;
  o.domainW = 10.0;
  o.cellSizeX = 1.0;
  o.cellSizeY = 1.0;
  return o;
}

Backbone single(const Segment& s, double h1, double h2) { return Backbone{{s}, {h1}, {h2}, {0}}; }

TEST(FaceFlows, StraightChannelCarriesEqualAndOppositeFlows) {
  // Left to right, perm 2, length 10: conductance 0.002, head drop 1.
  const FaceFlows flows = computeFaceFlows(single({2.0, 0.0, 5.0, 10.0, 5.0}, 1.0, 0.0), domain());
  EXPECT_DOUBLE_EQ(flows.right, 0.002);
  EXPECT_DOUBLE_EQ(flows.left, -0.002);
  EXPECT_EQ(flows.top, 0.0);
  EXPECT_EQ(flows.bottom, 0.0);
  EXPECT_DOUBLE_EQ(flows.global(), 0.002);
}

TEST(FaceFlows, TopToBottomSegmentAddsToBothFaces) {
  // End 2 on the top at head 3, end 1 on the bottom at head 1: water enters at the top.
  const FaceFlows flows = computeFaceFlows(single({1.0, 4.0, 0.0, 4.0, 10.0}, 1.0, 3.0), domain());
  EXPECT_DOUBLE_EQ(flows.top, -0.002);
  EXPECT_DOUBLE_EQ(flows.bottom, 0.002);
}

TEST(FaceFlows, CornerSegmentsAddToNoFace) {
  struct Case {
    const char* name;
    Segment segment;
    bool corner;
  };
  const Case cases[] = {
      {"top right", {1.0, 10.0, 9.5, 9.5, 10.0}, true},
      {"top right, ends swapped", {1.0, 9.5, 10.0, 10.0, 9.5}, true},
      {"bottom right", {1.0, 10.0, 0.5, 9.5, 0.0}, true},
      {"bottom left", {1.0, 0.0, 0.5, 0.5, 0.0}, true},
      {"top left", {1.0, 0.5, 10.0, 0.0, 9.5}, true},
      {"reaching beyond the corner cell", {1.0, 10.0, 8.5, 9.5, 10.0}, false},
      {"on the cell edge (not strictly inside)", {1.0, 10.0, 9.0, 9.5, 10.0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(isCornerSegment(c.segment, 10.0, 10.0, 1.0, 1.0), c.corner);
    const FaceFlows flows = computeFaceFlows(single(c.segment, 1.0, 0.0), domain());
    EXPECT_EQ(flows.global() == 0.0, c.corner);
  }
}

}  // namespace
}  // namespace fracflow::dfn
