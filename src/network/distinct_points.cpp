// Points gathered by position: sorted by coordinates, runs of equal points made one.
#include "network/distinct_points.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace fracflow::network {
namespace {

// The distinct finite positions in order of their first point, and each point's position.
std::vector<Point> gather(const std::vector<Point>& points, std::vector<int>& positionOf,
                          std::vector<int>& multiplicity) {
  std::vector<int> order;
  order.reserve(points.size());
  for (std::size_t id = 0; id < points.size(); ++id) {
    if (std::isfinite(points[id].x) && std::isfinite(points[id].y)) {
      order.push_back(static_cast<int>(id));
    }
  }
  // Equal coordinates (−0.0 and 0.0 among them) sort next to each other, ids ascending.
  std::sort(order.begin(), order.end(), [&](int a, int b) {
    const Point& p = points[static_cast<std::size_t>(a)];
    const Point& q = points[static_cast<std::size_t>(b)];
    if (p.x != q.x) return p.x < q.x;
    if (p.y != q.y) return p.y < q.y;
    return a < b;
  });
  positionOf.assign(points.size(), -1);
  std::vector<int> firstOfRun;  // the lowest id of each run, in sorted order
  for (std::size_t k = 0; k < order.size(); ++k) {
    const Point& p = points[static_cast<std::size_t>(order[k])];
    if (k == 0 || !(p.x == points[static_cast<std::size_t>(order[k - 1])].x &&
                    p.y == points[static_cast<std::size_t>(order[k - 1])].y)) {
      firstOfRun.push_back(order[k]);
    }
    positionOf[static_cast<std::size_t>(order[k])] = static_cast<int>(firstOfRun.size()) - 1;
  }
  // Number the positions by their first point, so that they follow the points' order.
  std::vector<int> runs(firstOfRun.size());
  std::iota(runs.begin(), runs.end(), 0);
  std::sort(runs.begin(), runs.end(), [&](int a, int b) {
    return firstOfRun[static_cast<std::size_t>(a)] < firstOfRun[static_cast<std::size_t>(b)];
  });
  std::vector<int> renumbered(runs.size());
  std::vector<Point> positions(runs.size());
  for (std::size_t p = 0; p < runs.size(); ++p) {
    const auto run = static_cast<std::size_t>(runs[p]);
    renumbered[run] = static_cast<int>(p);
    positions[p] = points[static_cast<std::size_t>(firstOfRun[run])];
  }
  multiplicity.assign(positions.size(), 0);
  for (int& p : positionOf) {
    if (p < 0) continue;
    p = renumbered[static_cast<std::size_t>(p)];
    ++multiplicity[static_cast<std::size_t>(p)];
  }
  return positions;
}

}  // namespace

DistinctPoints::DistinctPoints(std::vector<Point> points)
    : points_(std::move(points)), positions_(gather(points_, positionOf_, multiplicity_)) {}

}  // namespace fracflow::network
