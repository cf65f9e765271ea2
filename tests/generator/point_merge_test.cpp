#include "generator/point_merge.hpp"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "generator/random_source.hpp"

namespace fracflow::generator {
namespace {

// The literal grouping: every pair compared, groups by repeated relabelling.
std::vector<int> allPairsGroups(const std::vector<Point>& points, double mergeDistance) {
  std::vector<int> group(points.size());
  std::iota(group.begin(), group.end(), 0);
  bool changed = true;
  while (changed) {
    changed = false;
    for (std::size_t i = 0; i < points.size(); ++i) {
      for (std::size_t j = i + 1; j < points.size(); ++j) {
        if (pointsLinked(points[i], points[j], mergeDistance) && group[i] != group[j]) {
          const int g = std::min(group[i], group[j]);
          group[i] = group[j] = g;
          changed = true;
        }
      }
    }
  }
  return group;
}

TEST(PointMerge, LinksFollowTheWindowsAndTheMergeDistance) {
  struct Case {
    Point p, q;
    double mergeDistance;
    bool linked;
  };
  // The link reaches 2 (1e-5 + 1e-6 |coordinate|), or the merge distance when that is more:
  // 1.2e-4 at 50, 2.2e-5 at 1, 2e-5 at 0, 8e-5 at 30.
  const Case cases[] = {
      {{50, 50}, {50, 50}, 1e-5, true},
      {{50, 50}, {50 + 1.1e-4, 50 - 1.1e-4}, 1e-5, true},
      {{50, 50}, {50 + 1.3e-4, 50}, 1e-5, false},
      {{1, 1}, {1 + 2.1e-5, 1}, 1e-5, true},
      {{1, 1}, {1, 1 - 2.3e-5}, 1e-5, false},
      {{0, 30}, {1.9e-5, 30 + 7.9e-5}, 1e-5, true},
      {{0, 30}, {2.1e-5, 30}, 1e-5, false},
      {{1, 1}, {1 + 9e-4, 1}, 1e-3, true},  // a larger merge distance takes over
      {{1, 1}, {1 + 1.1e-3, 1}, 1e-3, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(pointsLinked(c.p, c.q, c.mergeDistance), c.linked) << c.q.x << " " << c.q.y;
    EXPECT_EQ(pointsLinked(c.q, c.p, c.mergeDistance), c.linked);
  }
}

TEST(PointMerge, GroupsMatchTheLiteralScanAndPreferFacePoints) {
  const MergeBox box{100, 60, 1e-5};
  RandomSource random(29);
  std::vector<Point> points;
  for (int i = 0; i < 1500; ++i) {
    Point p{random.uniform() * 100, random.uniform() * 60};
    const int kind = i % 7;
    if (kind == 1) p.x = 0.0;
    if (kind == 2) p.y = 60.0;
    points.push_back(p);
    if (kind == 3 || kind == 1 || kind == 2) {
      // A partner just inside or just outside the link window, sometimes a chain of three.
      const double scale = (i % 2 == 0) ? 0.9 : 1.1;
      const double w = std::max(
          box.mergeDistance, kLinkMargin * (kWindowOffset + kWindowRelative * std::max(p.x, p.y)));
      Point q{std::min(100.0, p.x + scale * w * 0.5), std::max(0.0, p.y - scale * w * 0.5)};
      points.push_back(q);
      if (i % 5 == 0) points.push_back({std::min(100.0, q.x + scale * w * 0.9), q.y});
    }
  }
  const std::vector<int> rep = mergePoints(points, box);
  const std::vector<int> literal = allPairsGroups(points, box.mergeDistance);
  std::size_t merged = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const Point& r = points[static_cast<std::size_t>(rep[i])];
    if (rep[i] != static_cast<int>(i)) ++merged;
    // The representative is in the group; it lies on a face when any member does.
    EXPECT_EQ(literal[static_cast<std::size_t>(rep[i])], literal[i]);
    const Point& p = points[i];
    if (p.x == 0.0 || p.y == 60.0) {
      EXPECT_TRUE(r.x == 0.0 || r.y == 60.0 || r.x == 100.0 || r.y == 0.0);
    }
  }
  EXPECT_GT(merged, 100u);
  // One representative per literal group (and, being a member, never another group's).
  std::vector<int> firstOfGroup(points.size(), -1);
  for (std::size_t i = 0; i < points.size(); ++i) {
    int& f = firstOfGroup[static_cast<std::size_t>(literal[i])];
    if (f < 0) f = rep[i];
    EXPECT_EQ(f, rep[i]);
  }
}

}  // namespace
}  // namespace fracflow::generator
