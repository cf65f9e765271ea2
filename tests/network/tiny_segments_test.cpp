#include "network/tiny_segments.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "network/literal_network.hpp"
#include "support/same_bits.hpp"

namespace fracflow::network {
namespace {

void expectSegment(const Segment& s, double x1, double y1, double x2, double y2) {
  EXPECT_EQ(s.x1, x1);
  EXPECT_EQ(s.y1, y1);
  EXPECT_EQ(s.x2, x2);
  EXPECT_EQ(s.y2, y2);
}

constexpr double kL = 100.0;      // tiny: length ≤ 1e-3; too tiny: length ≤ 1e-7
constexpr double kTip = 20.0005;  // the far end of a tiny piece starting at x = 20

TEST(RemoveTinySegments, LeavesANetworkWithoutTinySegmentsUnchanged) {
  SegmentTable s = {{1, 10, 10, 20, 10}, {1, 20, 10, 20, 30}};
  const SegmentTable before = s;
  const TinySegmentPass pass = removeTinySegments(s, kL);
  EXPECT_EQ(pass.tinyFracs, 0);
  EXPECT_EQ(pass.absentFracs, 0);
  EXPECT_FALSE(pass.tooTiny);
  EXPECT_SAME_BITS(s, before);
}

TEST(RemoveTinySegments, RemovesAnIsolatedTinySegment) {
  SegmentTable s = {{1, 10, 10, 20, 10}, {1, 50, 50, 50.0005, 50}, {2, 30, 30, 40, 40}};
  const TinySegmentPass pass = removeTinySegments(s, kL);
  EXPECT_EQ(pass.tinyFracs, 1);
  EXPECT_EQ(pass.absentFracs, 1);
  EXPECT_EQ(pass.abFracId, std::vector<int>{1});
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[1].perm, 2);  // the order of the others is kept
}

TEST(RemoveTinySegments, ActsOnTheCollinearNeighbours) {
  const Segment a{1, 10, 10, 20, 10};  // ends at end 1 of the tiny piece
  const Segment tiny{1, 20, 10, kTip, 10};
  const Segment b{1, kTip, 10, 30, 10};  // starts at end 2
  const Segment up1{2, 20, 10, 20, 30};  // crossing pieces at either end
  const Segment up2{2, kTip, 10, kTip, 30};
  const Segment across{3, kTip, 10, 40, 10};  // level, but of another perm
  const Segment aLonger{1, 10, 10, kTip, 10};
  const Segment bLonger{1, 20, 10, 30, 10};
  Segment bOtherPerm = b;
  bOtherPerm.perm = 1.0000000001;
  const Segment back{1, 20, 10, 5, 10};  // a third collinear piece at end 1
  const Segment va{1, 10, 10, 10, 20};
  const Segment vt{1, 10, 20, 10, 20.0005};
  const Segment vb{1, 10, 20.0005, 10, 30};
  const Segment vbTilted{1, 10, 20.0005, 10.001, 30};
  const Segment rise{1, 10, 10, 20, 20};
  const Segment riseTiny{1, 20, 20, 20.0005, 20.0005};
  const Segment fall{1, 20.0005, 20.0005, 30.0005, 10.0005};
  const Segment tiny2{1, kTip, 10, 20.0009, 10};
  const Segment b2{1, 20.0009, 10, 30, 10};
  struct Case {
    const char* name;
    SegmentTable in;
    int tinyFracs;
    int absentFracs;
    SegmentTable out;
  };
  const Case cases[] = {
      {"at a free end: removed, the neighbour keeps its length", {a, tiny}, 1, 1, {a}},
      {"between two junctions, one collinear neighbour: it reaches the far junction",
       {a, up1, tiny, up2, across},
       1,
       1,
       {aLonger, up1, up2, across}},
      {"between two collinear pieces, t1 = t2: the piece at end 2 is stretched",
       {a, tiny, b},
       1,
       1,
       {a, bLonger}},
      {"t1 < t2: the piece at end 1 is stretched", {a, tiny, b, up2}, 1, 1, {aLonger, b, up2}},
      {"t1 > t2: the piece at end 2 is stretched", {a, up1, tiny, b}, 1, 1, {a, up1, bLonger}},
      {"a perm that differs by any amount is no neighbour",
       {a, tiny, bOtherPerm},
       1,
       1,
       {a, bOtherPerm}},
      {"three collinear neighbours keep the tiny piece",
       {a, tiny, b, back},
       1,
       0,
       {a, tiny, b, back}},
      {"vertical pieces are collinear", {va, vt, vb}, 1, 1, {va, {1, 10, 20, 10, 30}}},
      {"a vertical and a tilted piece are not", {va, vt, vbTilted}, 1, 1, {va, vbTilted}},
      {"a piece falling at the angle the tiny one rises counts",
       {rise, riseTiny, fall},
       1,
       1,
       {rise, {1, 20, 20, 30.0005, 10.0005}}},
      {"a later tiny piece is seen with the end points moved before it",
       {a, tiny, tiny2, b2},
       2,
       2,
       {a, {1, 20, 10, 30, 10}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SegmentTable s = c.in;
    const TinySegmentPass pass = removeTinySegments(s, kL);
    EXPECT_FALSE(pass.tooTiny);
    EXPECT_EQ(pass.tinyFracs, c.tinyFracs);
    EXPECT_EQ(pass.absentFracs, c.absentFracs);
    ASSERT_EQ(s.size(), c.out.size());
    for (std::size_t k = 0; k < s.size(); ++k) {
      SCOPED_TRACE(k);
      EXPECT_EQ(s[k].perm, c.out[k].perm);
      expectSegment(s[k], c.out[k].x1, c.out[k].y1, c.out[k].x2, c.out[k].y2);
    }
  }
}

TEST(RemoveTinySegments, EndsTheRunAtALengthOfOneBillionthOfTheDomain) {
  const double abort = 1e-9 * kL;  // x2 − x1 is exact, and so is the root of its square
  const double tiny = 1e-5 * kL;
  {
    SCOPED_TRACE("exactly 1e-9 × domainL, after a removal: the index before compaction");
    SegmentTable s = {{1, 50, 50, 50.0005, 50}, {1, 10, 10, 20, 10}, {1, 0, 5, abort, 5}};
    const TinySegmentPass pass = removeTinySegments(s, kL);
    ASSERT_TRUE(pass.tooTiny);
    EXPECT_EQ(*pass.tooTiny, 2);
    EXPECT_EQ(s.size(), 3u);
  }
  {
    SCOPED_TRACE("zero length");
    SegmentTable s = {{1, 3, 3, 3, 3}};
    ASSERT_TRUE(removeTinySegments(s, kL).tooTiny);
  }
  {
    SCOPED_TRACE("just above 1e-9 × domainL, and exactly 1e-5 × domainL: tiny pieces");
    SegmentTable s = {{1, 0, 5, std::nextafter(abort, 1.0), 5}, {1, 0, 7, tiny, 7}};
    const TinySegmentPass pass = removeTinySegments(s, kL);
    EXPECT_FALSE(pass.tooTiny);
    EXPECT_EQ(pass.tinyFracs, 2);
    EXPECT_EQ(pass.absentFracs, 2);
    EXPECT_TRUE(s.empty());
  }
}

// Random networks of chains (pieces sharing their end points exactly, some tiny, along a
// few directions), with branches from existing points, points on x = 0 and y = 0, and
// pieces just off collinear.
SegmentTable randomTinyNetwork(std::mt19937_64& rng, bool withTooTiny) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const double directions[][2] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}, {1, 0.02}, {0.02, 1}};
  std::vector<std::pair<double, double>> pool;
  SegmentTable out;
  auto perm = [&] { return unit(rng) < 0.8 ? 1.0 : 2.0; };
  const int chains = 3 + static_cast<int>(unit(rng) * 6);
  for (int c = 0; c < chains; ++c) {
    double x = unit(rng) < 0.2 ? 0.0 : unit(rng) * 90;
    double y = unit(rng) < 0.2 ? 0.0 : unit(rng) * 90;
    const auto& d = directions[static_cast<std::size_t>(unit(rng) * 6)];
    const double p = perm();
    const int pieces = 2 + static_cast<int>(unit(rng) * 6);
    for (int k = 0; k < pieces; ++k) {
      const double r = unit(rng);
      double len = r < 0.4 ? 1e-4 + unit(rng) * 1e-3 : 1.0 + unit(rng) * 5;
      if (withTooTiny && r > 0.98) len = 1e-8;
      const double nx = x + d[0] * len;
      const double ny = y + d[1] * len;
      out.push_back({unit(rng) < 0.9 ? p : perm(), x, y, nx, ny});
      pool.emplace_back(x, y);
      x = nx;
      y = ny;
    }
    pool.emplace_back(x, y);
  }
  const int branches = static_cast<int>(unit(rng) * 15);
  for (int k = 0; k < branches; ++k) {
    const auto& from = pool[static_cast<std::size_t>(unit(rng) * static_cast<double>(pool.size()))];
    const auto& to = pool[static_cast<std::size_t>(unit(rng) * static_cast<double>(pool.size()))];
    if (unit(rng) < 0.5) {
      out.push_back({perm(), from.first, from.second, to.first, to.second});
    } else {
      const auto& d = directions[static_cast<std::size_t>(unit(rng) * 6)];
      const double len = unit(rng) < 0.5 ? 5e-4 : 3.0;
      out.push_back(
          {perm(), from.first + d[0] * len, from.second + d[1] * len, from.first, from.second});
    }
  }
  std::shuffle(out.begin(), out.end(), rng);
  return out;
}

TEST(RemoveTinySegments, MatchesThePlainScanOnRandomNetworks) {
  std::mt19937_64 rng(20240611);
  int removals = 0;
  int aborts = 0;
  for (int trial = 0; trial < 400; ++trial) {
    SCOPED_TRACE(trial);
    const SegmentTable network = randomTinyNetwork(rng, trial % 4 == 0);
    SegmentTable indexed = network;
    SegmentTable plain = network;
    const TinySegmentPass a = removeTinySegments(indexed, kL);
    const TinySegmentPass b = literal::literalTinyPass(plain, kL);
    ASSERT_EQ(a.tooTiny, b.tooTiny);
    ASSERT_EQ(a.tinyFracs, b.tinyFracs);
    ASSERT_EQ(a.absentFracs, b.absentFracs);
    ASSERT_EQ(a.abFracId, b.abFracId);
    ASSERT_SAME_BITS(indexed, plain);
    removals += a.absentFracs;
    aborts += a.tooTiny ? 1 : 0;
  }
  // The networks exercise the pass: removals and aborts both happen.
  EXPECT_GT(removals, 400);
  EXPECT_GT(aborts, 10);
}

}  // namespace
}  // namespace fracflow::network
