#include "dfn/backbone_selection.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace fracflow::dfn {
namespace {

RunOptions topToBottom() {
  RunOptions o;
  o.domainW = 10.0;
  o.tf1 = 1.0;
  o.bf1 = 0.0;  // flowing from a gradient of 0.02 * 1 / 10 = 0.002
  return o;
}

// Unit-length segments with the given perm, end 1 at head dh and end 2 at head 0.
struct Piece {
  double perm;
  double dh;
};

std::string select(const std::vector<Piece>& pieces, const RunOptions& options, int fractureCount,
                   Backbone& backbone) {
  SegmentTable segments;
  EndHeads heads;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    const double y = static_cast<double>(k + 1);
    segments.push_back({pieces[k].perm, 1.0, y, 2.0, y});
    heads.head1.push_back(pieces[k].dh);
    heads.head2.push_back(0.0);
  }
  std::ostringstream out;
  io::TextStream console(out);
  backbone = findBackbone(segments, heads, options, fractureCount, console);
  console.flush();
  return out.str();
}

TEST(Backbone, KeepsFlowingSegmentsAboveTheShareOfTheMeanPermTimesGradient) {
  // Flowing: pieces 0, 2, 3 (gradients 1, 0.5, 0.5; piece 1 has 0.001 < 0.002).
  // thr = 1/(2*4) * (1.201 * 2) / (3 * 3) = 0.0333...: perm * gradient 1, 0.0005, 0.1.
  Backbone backbone;
  const std::string console =
      select({{1.0, 1.0}, {1.0, 0.001}, {0.001, 0.5}, {0.2, 0.5}}, topToBottom(), 4, backbone);
  EXPECT_EQ(console, "Number of segments in backbone = 2\n");
  ASSERT_EQ(backbone.count(), 2);
  EXPECT_EQ(backbone.segments[0].y1, 1.0);
  EXPECT_EQ(backbone.segments[1].y1, 4.0);
  EXPECT_EQ(backbone.head1, (std::vector<double>{1.0, 0.5}));
  EXPECT_EQ(backbone.head2, (std::vector<double>{0.0, 0.0}));
}

TEST(Backbone, NoFlowingSegmentLeavesItEmpty) {
  // Equal heads everywhere: the threshold is 0 / 0 and no segment reaches it.
  Backbone backbone;
  const std::string console = select({{1.0, 0.0}, {5.0, 0.0}}, topToBottom(), 2, backbone);
  EXPECT_EQ(console, "Number of segments in backbone = 0\n");
  EXPECT_EQ(backbone.count(), 0);
}

TEST(Backbone, SegmentWithoutEndHeadIsNeverSelected) {
  Backbone backbone;
  select({{1.0, 1.0}, {1.0, std::numeric_limits<double>::quiet_NaN()}}, topToBottom(), 2, backbone);
  EXPECT_EQ(backbone.count(), 1);
}

}  // namespace
}  // namespace fracflow::dfn
