#include "generator/network_generation.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "generator/generator_fixtures.hpp"
#include "generator/network_file.hpp"
#include "io/error.hpp"

namespace fracflow::generator {
namespace {

bool samePoint(const Point& p, const Point& q) { return p.x == q.x && p.y == q.y; }

// The simulator's node window: P within one part in a million of Q (strict, about Q).
bool inNodeWindow(const Point& p, const Point& q) {
  return 0.999999 * q.x < p.x && p.x < 1.000001 * q.x && 0.999999 * q.y < p.y &&
         p.y < 1.000001 * q.y;
}

// Its widened window about Q, with the offset 1e-5 below Q in y (the wider of its two uses).
bool inWidenedWindow(const Point& p, const Point& q) {
  return (q.x + 1e-6) * 1.000001 > p.x && p.x > (q.x - 1e-6) * 0.999999 &&
         (q.y + 1e-6) * 1.000001 > p.y && p.y > (q.y - 1e-5) * 0.999999;
}

// Pairs of end points that differ but that the simulator could take for one node. Sorted by
// x, each point is compared with those whose x is within the widest window.
std::size_t nearMisses(const std::vector<Piece>& pieces, double domainL) {
  std::vector<Point> ends;
  for (const Piece& p : pieces) {
    ends.push_back(p.segment.a);
    ends.push_back(p.segment.b);
  }
  std::sort(ends.begin(), ends.end(), [](const Point& a, const Point& b) { return a.x < b.x; });
  std::size_t misses = 0;
  const double reach = 1e-5 + 2e-6 * domainL;
  for (std::size_t i = 0; i < ends.size(); ++i) {
    for (std::size_t j = i + 1; j < ends.size() && ends[j].x - ends[i].x <= reach; ++j) {
      const Point& p = ends[i];
      const Point& q = ends[j];
      if (samePoint(p, q)) continue;
      if (inNodeWindow(p, q) || inNodeWindow(q, p) || inWidenedWindow(p, q) ||
          inWidenedWindow(q, p)) {
        ++misses;
      }
    }
  }
  return misses;
}

TEST(SplitFractures, SplitsAtCrossingsWithExactlySharedEnds) {
  struct Case {
    const char* name;
    std::vector<LineSegment> fractures;
    std::vector<LineSegment> pieces;  // in order: fracture by fracture, from end a to end b
  };
  const double e = 5e-7;  // well within the reach of a link (2e-5 and more)
  const Case cases[] = {
      {"a grid of two by two",
       {{{1, 3}, {9, 3}}, {{1, 7}, {9, 7}}, {{3, 1}, {3, 9}}, {{7, 1}, {7, 9}}},
       {{{1, 3}, {3, 3}},
        {{3, 3}, {7, 3}},
        {{7, 3}, {9, 3}},
        {{1, 7}, {3, 7}},
        {{3, 7}, {7, 7}},
        {{7, 7}, {9, 7}},
        {{3, 1}, {3, 3}},
        {{3, 3}, {3, 7}},
        {{3, 7}, {3, 9}},
        {{7, 1}, {7, 3}},
        {{7, 3}, {7, 7}},
        {{7, 7}, {7, 9}}}},
      {"a T: the second starts on the first",
       {{{1, 5}, {9, 5}}, {{5, 5}, {5, 9}}},
       {{{1, 5}, {5, 5}}, {{5, 5}, {9, 5}}, {{5, 5}, {5, 9}}}},
      {"two crossings closer than the merge distance are one",
       {{{1, 5}, {9, 5}}, {{5, 1}, {5, 9}}, {{5 + e, 2}, {5 + e, 8}}},
       {{{1, 5}, {5, 5}},
        {{5, 5}, {9, 5}},
        {{5, 1}, {5, 5}},
        {{5, 5}, {5, 9}},
        {{5 + e, 2}, {5, 5}},
        {{5, 5}, {5 + e, 8}}}},
      {"a crossing next to a face point moves onto the face",
       {{{0, 5}, {9, 5}}, {{e, 1}, {e, 9}}},
       {{{0, 5}, {9, 5}}, {{e, 1}, {0, 5}}, {{0, 5}, {e, 9}}}},
      {"a fracture shorter than the merge distance leaves nothing",
       {{{1, 1}, {1 + e, 1}}, {{2, 2}, {3, 3}}},
       {{{2, 2}, {3, 3}}}},
  };
  const NetworkLaw law = populationLaw(10, 10, 0, {fractureSet(1, 1, 1.5, 0, 0)});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<double> perms(c.fractures.size(), 1.0);
    const std::vector<Piece> pieces = splitFractures(c.fractures, perms, law);
    ASSERT_EQ(pieces.size(), c.pieces.size());
    for (std::size_t k = 0; k < pieces.size(); ++k) {
      SCOPED_TRACE(k);
      EXPECT_EQ(pieces[k].segment.a.x, c.pieces[k].a.x);
      EXPECT_EQ(pieces[k].segment.a.y, c.pieces[k].a.y);
      EXPECT_EQ(pieces[k].segment.b.x, c.pieces[k].b.x);
      EXPECT_EQ(pieces[k].segment.b.y, c.pieces[k].b.y);
    }
  }
}

TEST(SplitFractures, ThreeFracturesThroughNearlyOnePointMeetAtOneNode) {
  const NetworkLaw law = populationLaw(10, 10, 0, {fractureSet(1, 1, 1.5, 0, 0)});
  const std::vector<LineSegment> fractures = {
      {{1, 5}, {9, 5}}, {{5, 1}, {5, 9}}, {{1 + 3e-9, 1}, {9 + 3e-9, 9}}};
  const std::vector<Piece> pieces = splitFractures(fractures, {1, 2, 3}, law);
  ASSERT_EQ(pieces.size(), 6u);
  const Point node = pieces[0].segment.b;
  for (std::size_t f = 0; f < 3; ++f) {
    EXPECT_TRUE(samePoint(pieces[2 * f].segment.b, node)) << f;
    EXPECT_TRUE(samePoint(pieces[2 * f + 1].segment.a, node)) << f;
    EXPECT_EQ(pieces[2 * f].perm, pieces[2 * f + 1].perm);
  }
}

TEST(GenerateNetwork, PiecesAreWhatTheSimulatorNeeds) {
  for (const Study& study : studies()) {
    SCOPED_TRACE(study.name);
    const NetworkLaw law = studyLaw(study);
    for (int k = 1; k <= 2; ++k) {
      SCOPED_TRACE(k);
      const GeneratedNetwork net = generateNetwork(law, 5, k);
      ASSERT_GT(net.pieces.size(), 50u);
      EXPECT_GE(net.pieces.size(), static_cast<std::size_t>(net.fractureCount));
      for (std::size_t i = 0; i < net.pieces.size(); ++i) {
        const Piece& p = net.pieces[i];
        for (const Point& q : {p.segment.a, p.segment.b}) {
          ASSERT_TRUE(q.x >= 0.0 && q.x <= law.domainL && q.y >= 0.0 && q.y <= law.domainW)
              << q.x << " " << q.y;
        }
        ASSERT_TRUE(std::isfinite(p.perm) && p.perm > 0.0);
        // No piece shorter than the merge distance (the simulator stops at 1e-9 domainL).
        EXPECT_GT(segmentLength(p.segment), law.mergeDistance);
        // The pieces of a fracture follow each other along it, with one permeability.
        if (i > 0 && net.pieces[i - 1].fracture == p.fracture) {
          EXPECT_TRUE(samePoint(net.pieces[i - 1].segment.b, p.segment.a));
          EXPECT_EQ(net.pieces[i - 1].perm, p.perm);
        }
      }
      // Where pieces meet they share their end exactly: no two ends differ yet fall in one
      // of the simulator's node windows.
      EXPECT_EQ(nearMisses(net.pieces, law.domainL), 0u);
      // Drawing stops at the first fracture that reaches the density.
      const double area = law.domainL * law.domainW;
      EXPECT_GE(net.inDomainLength / area, law.fracDen);
      EXPECT_LT((net.inDomainLength - net.lastContribution) / area, law.fracDen);
      EXPECT_NEAR(pieceDensity(net.pieces, law), net.inDomainLength / area,
                  1e-6 * net.inDomainLength / area);
    }
  }
}

TEST(GenerateNetwork, NoDensityNoFracture) {
  const NetworkLaw law = populationLaw(100, 100, 0.0, {fractureSet(1, 5, 1.5, 0, 0)});
  const GeneratedNetwork net = generateNetwork(law, 0, 1);
  EXPECT_TRUE(net.pieces.empty());
  EXPECT_EQ(net.fractureCount, 0);
}

// Fractures that keep no length (here of length 0, which the law refuses; so would be any
// fractures too short to have two distinct ends beside the coordinates): the draws end with an
// error instead of going on for ever.
TEST(GenerateNetwork, DrawsThatKeepNoFractureEndWithAnError) {
  NetworkLaw law = populationLaw(
      100, 100, 0.3, {fractureSet(0.5, 1.0, 2.0, 0, 0), fractureSet(0.5, 2.0, 2.0, 0, 0)});
  law.sets[0].minFracL = 0.0;
  law.sets[1].minFracL = 0.0;
  try {
    generateNetwork(law, 0, 1);
    ADD_FAILURE() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.kind(), ErrorKind::Input);
    const std::string message = error.what();
    EXPECT_EQ(message.rfind("Data_and_OutputOptions.txt:17: minFracL1: ", 0), 0u) << message;
    EXPECT_NE(message.find(" fractures drawn in a row left none with two distinct ends inside "
                           "the domain: a minimum length of 0 vanishes beside coordinates up "
                           "to 100; raise the minimum lengths"),
              std::string::npos)
        << message;
  }
}

TEST(GenerateNetwork, IsDeterministic) {
  const NetworkLaw law = studyLaw(studies()[0]);
  const std::string first = networkText(generateNetwork(law, 0, 1).pieces);
  EXPECT_EQ(networkText(generateNetwork(law, 0, 1).pieces), first);
  EXPECT_NE(networkText(generateNetwork(law, 1, 1).pieces), first);
  EXPECT_NE(networkText(generateNetwork(law, 0, 2).pieces), first);
  // Pinned: the streams and formulas are the same on every platform, so this line is too.
  // A change here changes every network a user has generated.
  EXPECT_EQ(first.substr(0, first.find('\n')),
            "69.99288288164315 48.29554087874941 65.88241551965665 56.27360122631866 "
            "0.37493156485675316");
}

}  // namespace
}  // namespace fracflow::generator
