#include "generator/crossing_search.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "generator/random_source.hpp"

namespace fracflow::generator {
namespace {

// The literal search: every pair, in order.
std::vector<Crossing> allPairsCrossings(const std::vector<LineSegment>& f, double L, double W) {
  std::vector<Crossing> out;
  for (int i = 0; i < static_cast<int>(f.size()); ++i) {
    for (int j = i + 1; j < static_cast<int>(f.size()); ++j) {
      if (auto c = crossFractures(f, i, j, L, W)) out.push_back(*c);
    }
  }
  return out;
}

void expectSameCrossings(const std::vector<Crossing>& a, const std::vector<Crossing>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t k = 0; k < a.size(); ++k) {
    EXPECT_EQ(a[k].first, b[k].first);
    EXPECT_EQ(a[k].second, b[k].second);
    EXPECT_EQ(a[k].point.x, b[k].point.x);
    EXPECT_EQ(a[k].point.y, b[k].point.y);
    EXPECT_EQ(a[k].tFirst, b[k].tFirst);
    EXPECT_EQ(a[k].tSecond, b[k].tSecond);
  }
}

TEST(CrossingSearch, CrossingOfTwoFractures) {
  struct Case {
    const char* name;
    LineSegment p, q;
    bool crosses;
    Point at;
    double tp, tq;
  };
  const Case cases[] = {
      {"an X", {{0, 0}, {4, 4}}, {{0, 4}, {4, 0}}, true, {2, 2}, 0.5, 0.5},
      {"a T: one ends on the other", {{0, 1}, {4, 1}}, {{1, 1}, {1, 3}}, true, {1, 1}, 0.25, 0.0},
      {"ends meeting", {{0, 0}, {2, 2}}, {{2, 2}, {4, 0}}, true, {2, 2}, 1.0, 0.0},
      {"short of each other", {{0, 0}, {1, 1}}, {{0, 4}, {1.9, 2.1}}, false, {}, 0, 0},
      {"parallel", {{0, 0}, {4, 0}}, {{0, 1}, {4, 1}}, false, {}, 0, 0},
      {"overlapping on one line", {{0, 0}, {4, 0}}, {{2, 0}, {6, 0}}, false, {}, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<LineSegment> f = {c.p, c.q};
    const auto crossing = crossFractures(f, 0, 1, 10, 10);
    ASSERT_EQ(crossing.has_value(), c.crosses);
    if (!c.crosses) continue;
    EXPECT_DOUBLE_EQ(crossing->point.x, c.at.x);
    EXPECT_DOUBLE_EQ(crossing->point.y, c.at.y);
    EXPECT_DOUBLE_EQ(crossing->tFirst, c.tp);
    EXPECT_DOUBLE_EQ(crossing->tSecond, c.tq);
  }
}

TEST(CrossingSearch, BucketsFindExactlyTheCrossingsOfTheLiteralScan) {
  struct Case {
    const char* name;
    double L, W;
    int count;
    double minLength, maxLength;
  };
  const Case cases[] = {
      {"short fractures", 100, 100, 1500, 0.5, 5},
      {"long fractures", 100, 100, 300, 20, 140},
      {"mixed lengths on a strip", 400, 20, 800, 0.1, 300},
      {"few fractures", 10, 10, 3, 1, 14},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RandomSource random(23);
    std::vector<LineSegment> f;
    for (int i = 0; i < c.count; ++i) {
      const double x = random.uniform() * c.L;
      const double y = random.uniform() * c.W;
      const double len = c.minLength + random.uniform() * (c.maxLength - c.minLength);
      const double angle = random.uniform() * 6.283185307179586;
      LineSegment s{{x, y}, {x + len * std::cos(angle), y + len * std::sin(angle)}};
      // Some horizontal, vertical and face-hugging fractures, and some sharing an end.
      if (i % 17 == 0) s.b.y = s.a.y;
      if (i % 19 == 0) s.b.x = s.a.x;
      if (i % 23 == 0) s.a.x = s.b.x = 0.0;
      if (i % 29 == 0 && i > 0) s.a = f.back().b;
      s.b.x = std::clamp(s.b.x, 0.0, c.L);
      s.b.y = std::clamp(s.b.y, 0.0, c.W);
      f.push_back(s);
    }
    const std::vector<Crossing> found = findCrossings(f, c.L, c.W);
    expectSameCrossings(found, allPairsCrossings(f, c.L, c.W));
    if (c.count > 100) {
      EXPECT_GT(found.size(), 100u);
    }
  }
}

}  // namespace
}  // namespace fracflow::generator
