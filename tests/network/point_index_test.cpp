#include "network/point_index.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "network/point_windows.hpp"

namespace fracflow::network {
namespace {

// Any pair of points that some point test of the network can match, either point taken as
// the centre: exact equality, the relative window (strict, and inclusive as in the particle
// walk) and the widened window with both offsets.
bool anyWindowMatches(const Point& a, const Point& b) {
  auto inclusive = [](const Point& p, const Point& q) {
    return 0.999999 * q.x <= p.x && p.x <= 1.000001 * q.x && 0.999999 * q.y <= p.y &&
           p.y <= 1.000001 * q.y;
  };
  return (a.x == b.x && a.y == b.y) || inRelativeWindow(a.x, a.y, b.x, b.y) ||
         inRelativeWindow(b.x, b.y, a.x, a.y) || inclusive(a, b) || inclusive(b, a) ||
         inWidenedWindow(a.x, a.y, b.x, b.y, 1e-6) || inWidenedWindow(b.x, b.y, a.x, a.y, 1e-6) ||
         inWidenedWindow(a.x, a.y, b.x, b.y, 1e-5) || inWidenedWindow(b.x, b.y, a.x, a.y, 1e-5);
}

// Points near each other at the edges of every window: exactly shared, just inside and
// just outside the relative and widened windows, on x = 0 and y = 0, negative.
std::vector<Point> clusteredPoints(std::mt19937_64& rng, double scale) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<Point> points;
  const double factors[] = {1.0,          1.0 + 0.9e-6, 1.0 - 0.9e-6,
                            1.0 + 1.1e-6, 1.0 - 1.1e-6, 1.0 + 3e-6};
  const double offsets[] = {0.0, 0.9e-6, -0.9e-6, 1.05e-6, -1.05e-6, 0.9e-5, -0.99e-5, 1.2e-5};
  for (int k = 0; k < 150; ++k) {
    Point base{unit(rng) * scale, unit(rng) * scale};
    if (k % 7 == 0) base.x = 0.0;
    if (k % 11 == 0) base.y = 0.0;
    if (k % 13 == 0) base.x = -base.x;
    points.push_back(base);
    for (int c = 0; c < 4; ++c) {
      Point p = base;
      if (unit(rng) < 0.5) {
        p.x *= factors[static_cast<std::size_t>(unit(rng) * 6)];
        p.y *= factors[static_cast<std::size_t>(unit(rng) * 6)];
      } else {
        p.x += offsets[static_cast<std::size_t>(unit(rng) * 8)];
        p.y += offsets[static_cast<std::size_t>(unit(rng) * 8)];
      }
      points.push_back(p);
    }
  }
  std::shuffle(points.begin(), points.end(), rng);
  return points;
}

TEST(PointIndex, OffersEveryPointThatAWindowCanMatchInAscendingOrder) {
  std::mt19937_64 rng(7);
  for (const double scale : {1.0, 100.0, 1e5}) {
    SCOPED_TRACE(scale);
    const std::vector<Point> points = clusteredPoints(rng, scale);
    const PointIndex index(points);
    std::vector<int> found;
    int matches = 0;
    for (const Point& q : points) {
      index.candidates(q.x, q.y, found);
      ASSERT_TRUE(std::is_sorted(found.begin(), found.end()));
      for (std::size_t id = 0; id < points.size(); ++id) {
        if (!anyWindowMatches(points[id], q)) continue;
        ++matches;
        ASSERT_TRUE(std::binary_search(found.begin(), found.end(), static_cast<int>(id)))
            << "missed (" << points[id].x << ", " << points[id].y << ") for (" << q.x << ", " << q.y
            << ")";
      }
    }
    EXPECT_GT(matches, static_cast<int>(points.size()));  // not only each point itself
  }
}

TEST(PointIndex, HandlesDegenerateSets) {
  std::vector<int> found;
  const PointIndex empty({});
  empty.candidates(1.0, 1.0, found);
  EXPECT_TRUE(found.empty());

  // All points on one line, one point repeated, and points that are not finite.
  const double inf = std::numeric_limits<double>::infinity();
  const PointIndex line({{0, 5}, {0, 7}, {0, 5}, {inf, 5}, {0, std::nan("")}});
  line.candidates(0.0, 5.0, found);
  EXPECT_EQ(found, (std::vector<int>{0, 2}));
  line.candidates(inf, 5.0, found);
  EXPECT_TRUE(found.empty());
}

}  // namespace
}  // namespace fracflow::network
