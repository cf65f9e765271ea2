#include "transport/network_walk.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "literal_walks.hpp"
#include "random_networks.hpp"
#include "transport_test_support.hpp"

namespace fracflow::transport {
namespace {

struct Piece {
  double x1, y1, x2, y2, perm, h1, h2;
};

Backbone backboneOf(const std::vector<Piece>& pieces) {
  Backbone b;
  for (const Piece& p : pieces) {
    b.segments.push_back({p.perm, p.x1, p.y1, p.x2, p.y2});
    b.head1.push_back(p.h1);
    b.head2.push_back(p.h2);
  }
  return b;
}

// A 100 × 100 domain on 10 × 10 cells whose injection window is the left edge x = 0.
RunOptions leftEdgeOptions() { return testing::transportOptions(100.0, 100.0, 10, 10); }

random::RandomStream advanced(std::uint32_t seed, int draws) {
  random::RandomStream r(seed);
  for (int i = 0; i < draws; ++i) r.uniform();
  return r;
}

// Injection from (0, 50) to (50, 50): head 10 to 5, perm 1000, so 50 / 0.5·... = 50 / 1 = 50
// time units (flow 5 × 0.01 × 1000 / 50 = 1).
constexpr Piece kInjection = {0.0, 50.0, 50.0, 50.0, 1000.0, 10.0, 5.0};

TEST(NetworkWalk, ArrivalFacesAtCornersAndEdges) {
  struct Case {
    const char* name;
    double x, y;  // where the second segment ends
    Face face;
  } cases[] = {
      {"corner (L, W) counts at the top", 100.0, 100.0, kTop},
      {"corner (L, 0) counts at the right", 100.0, 0.0, kRight},
      {"corner (0, 0) counts at the bottom", 0.0, 0.0, kBottom},
      {"the left edge", 0.0, 80.0, kLeft},
  };
  const RunOptions o = leftEdgeOptions();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Backbone b = backboneOf({kInjection, {50.0, 50.0, c.x, c.y, 1000.0, 5.0, 0.0}});
    const NetworkInjectionTable table = buildNetworkInjectionTable(o, b);
    NetworkWalk walk(o, b, table);
    random::RandomStream random(714651);
    const ParticleStop stop = walk.trackParticle(random);
    EXPECT_EQ(stop.end, WalkEnd::Arrived);
    ASSERT_TRUE(stop.hasFace);
    EXPECT_EQ(stop.face, c.face);
    EXPECT_EQ(stop.x, c.x);
    EXPECT_EQ(stop.y, c.y);
    const double length = std::sqrt((c.x - 50.0) * (c.x - 50.0) + (c.y - 50.0) * (c.y - 50.0));
    EXPECT_NEAR(stop.t, 50.0 + length / (5.0 * 0.01 * 1000.0 / length), 1e-9);
    EXPECT_EQ(random.state(), advanced(714651, 2).state());  // injection + one step
  }
}

TEST(NetworkWalk, AnInjectionEndOnAnEdgeArrivesAtOnce) {
  const RunOptions o = leftEdgeOptions();
  const Backbone b = backboneOf({{0.0, 50.0, 40.0, 100.0, 1000.0, 10.0, 0.0}});
  const NetworkInjectionTable table = buildNetworkInjectionTable(o, b);
  NetworkWalk walk(o, b, table);
  random::RandomStream random(42);
  const ParticleStop stop = walk.trackParticle(random);
  EXPECT_EQ(stop.end, WalkEnd::Arrived);
  EXPECT_EQ(stop.face, kTop);
  EXPECT_EQ(stop.startX, 0.0);
  EXPECT_EQ(stop.startY, 50.0);
  // length² / (dh · 0.01 · perm) = (1600 + 2500) / 100
  EXPECT_NEAR(stop.t, 41.0, 1e-9);
  EXPECT_EQ(random.state(), advanced(42, 1).state());  // the injection draw only
}

TEST(NetworkWalk, AStuckParticleStillDrawsOnce) {
  const RunOptions o = leftEdgeOptions();
  // The only segment at (50, 50) rises away from it.
  const Backbone b = backboneOf({kInjection, {50.0, 50.0, 100.0, 50.0, 1000.0, 5.0, 7.0}});
  const NetworkInjectionTable table = buildNetworkInjectionTable(o, b);
  NetworkWalk walk(o, b, table);
  random::RandomStream random(7);
  const ParticleStop stop = walk.trackParticle(random);
  EXPECT_EQ(stop.end, WalkEnd::Stuck);
  EXPECT_EQ(stop.x, 50.0);
  EXPECT_EQ(stop.y, 50.0);
  EXPECT_DOUBLE_EQ(stop.t, 50.0);
  EXPECT_EQ(random.state(), advanced(7, 2).state());
}

TEST(NetworkWalk, EndsMatchThroughTheRelativeWindowOnly) {
  const RunOptions o = leftEdgeOptions();
  struct Case {
    double x;  // where the second segment starts; the window about 50 is ±5e-5
    WalkEnd end;
  } cases[] = {
      {50.00004, WalkEnd::Arrived}, {49.99996, WalkEnd::Arrived}, {50.00006, WalkEnd::Stuck}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    const Backbone b = backboneOf({kInjection, {c.x, 50.0, 100.0, 50.0, 1000.0, 5.0, 0.0}});
    const NetworkInjectionTable table = buildNetworkInjectionTable(o, b);
    NetworkWalk walk(o, b, table);
    random::RandomStream random(3);
    EXPECT_EQ(walk.trackParticle(random).end, c.end);
  }
}

TEST(NetworkWalk, TheTimeCapHoldsOnTheMoveIntoAnEdge) {
  RunOptions o = leftEdgeOptions();
  o.bcsize = 10;
  o.bcstep = 10;  // bins up to 100, cap 100.1
  struct Case {
    double perm;  // of the segment into the edge: 50 / (5 · 0.01 · perm / 50) time units
    WalkEnd end;
  } cases[] = {
      {50000.0 / 150.0, WalkEnd::TimedOut},  // 50 + 150 = 200 > 100.1
      {50000.0 / 50.04, WalkEnd::Arrived}};  // 50 + 50.04 = 100.04: arrived, beyond the bins
  for (const Case& c : cases) {
    const Backbone b = backboneOf({kInjection, {50.0, 50.0, 100.0, 50.0, c.perm, 5.0, 0.0}});
    const NetworkInjectionTable table = buildNetworkInjectionTable(o, b);
    NetworkWalk walk(o, b, table);
    random::RandomStream random(9);
    const ParticleStop stop = walk.trackParticle(random);
    EXPECT_EQ(stop.end, c.end);
    EXPECT_EQ(stop.x, 100.0);  // stopped where the move ended
  }
}

TEST(NetworkWalk, InjectionSegmentsAreEquallyLikelyAndNodesSplitByFlow) {
  const RunOptions o = leftEdgeOptions();
  // Two injection segments whose flows differ a thousandfold; the first leads to a node whose
  // two downhill segments carry 1 (to the right face) and 3 (to the top face).
  const Backbone b = backboneOf({
      kInjection,
      {0.0, 20.0, 50.0, 20.0, 1.0, 10.0, 5.0},
      {50.0, 50.0, 100.0, 50.0, 1000.0, 5.0, 0.0},
      {50.0, 50.0, 50.0, 100.0, 3000.0, 5.0, 0.0},
  });
  const NetworkInjectionTable table = buildNetworkInjectionTable(o, b);
  ASSERT_EQ(table.count(), 2);
  NetworkWalk walk(o, b, table);
  random::RandomStream random(1234);
  const int n = 8000;
  int first = 0, right = 0, top = 0;
  for (int p = 0; p < n; ++p) {
    const ParticleStop stop = walk.trackParticle(random);
    if (stop.startY != 50.0) continue;
    ++first;
    if (stop.face == kRight) ++right;
    if (stop.face == kTop) ++top;
  }
  // Four standard deviations of the binomial counts.
  EXPECT_NEAR(first, n / 2, 4.0 * std::sqrt(n * 0.25));
  EXPECT_EQ(right + top, first);
  EXPECT_NEAR(right, first / 4, 4.0 * std::sqrt(first * 0.25 * 0.75));
}

TEST(NetworkWalk, ASubnormalFlowMovesToWhatItsSlotLastHeldLikeTheLiteralWalk) {
  // At B1, B2, B3 the only way on has a flow of one subnormal step (0.01 · 5e-322 rounds to
  // 2^-1074), so r = u · flow rounds up to the flow for u > 1/2 and the second slot, past the
  // single candidate, wins: the particle moves to what that slot held at node A (or, before
  // any node with two candidates, to (0, 0)).
  RunOptions o = leftEdgeOptions();
  o.bcsize = 1000000;
  const double tiny = 5e-322;
  const Backbone b = backboneOf({
      {0.0, 50.0, 50.0, 50.0, 1000.0, 10.0, 5.0},
      {0.0, 20.0, 60.0, 20.0, 1000.0, 10.0, 1.0},  // B0: a direct way to a dead end
      {60.0, 20.0, 61.0, 20.0, tiny, 1.0, 0.0},
      {50.0, 50.0, 60.0, 60.0, 1000.0, 5.0, 4.0},  // node A with three ways down
      {50.0, 50.0, 60.0, 50.0, 2000.0, 5.0, 4.0},
      {50.0, 50.0, 60.0, 40.0, 3000.0, 5.0, 4.0},
      {60.0, 60.0, 61.0, 60.0, tiny, 4.0, 3.0},
      {60.0, 50.0, 61.0, 50.0, tiny, 4.0, 3.0},
      {60.0, 40.0, 61.0, 40.0, tiny, 4.0, 3.0},
  });
  const NetworkInjectionTable table = buildNetworkInjectionTable(o, b);
  literal::NetworkWalk expected(o, b);
  NetworkWalk walk(o, b, table);
  random::RandomStream r1(5), r2(5);
  int jumped = 0;
  for (int p = 0; p < 200; ++p) {
    const ParticleStop a = walk.trackParticle(r1);
    const ParticleStop e = expected.track(r2);
    ASSERT_EQ(r1.state(), r2.state());
    ASSERT_EQ(a.end, e.end);
    EXPECT_EQ(a.x, e.x);
    EXPECT_EQ(a.y, e.y);
    EXPECT_EQ(a.t, e.t);
    if (a.x != 61.0) ++jumped;
  }
  EXPECT_GT(jumped, 20);
}

TEST(NetworkWalk, AgreesWithTheLiteralWalkOnRandomBackbones) {
  std::mt19937_64 gen(99);
  int tracked = 0;
  for (int trial = 0; trial < 40; ++trial) {
    RunOptions o = testing::transportOptions(100.0, 100.0, 7, 7);
    o.ecellx = 1 + trial % 4;
    o.bcsize = 5 + trial % 20;
    o.bcstep = 1 + trial % 3;
    const Backbone b = testing::randomBackbone(gen, o, 4 + trial % 9);
    const NetworkInjectionTable table = buildNetworkInjectionTable(o, b);
    literal::NetworkWalk expected(o, b);
    ASSERT_EQ(table.count(), expected.count());
    if (table.count() == 0) continue;
    NetworkWalk walk(o, b, table);
    random::RandomStream r1(static_cast<std::uint32_t>(trial)),
        r2(static_cast<std::uint32_t>(trial));
    for (int p = 0; p < 300; ++p) {
      const ParticleStop a = walk.trackParticle(r1);
      const ParticleStop e = expected.track(r2);
      ASSERT_EQ(r1.state(), r2.state()) << "trial " << trial << " particle " << p;
      ASSERT_EQ(a.end, e.end);
      testing::expectSameStop(a, e);
      ++tracked;
    }
  }
  EXPECT_GT(tracked, 3000);
}

}  // namespace
}  // namespace fracflow::transport
