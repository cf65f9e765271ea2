// Union-find over the links found in a bucket grid: each point is compared with the points
// of its own bucket and of the four buckets after it (right column and the one above), so
// every pair of neighbouring buckets is visited once.
#include "generator/point_merge.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace fracflow::generator {
namespace {

class DisjointSets {
 public:
  explicit DisjointSets(std::size_t n) : parent_(n) {
    for (std::size_t i = 0; i < n; ++i) parent_[i] = static_cast<int>(i);
  }
  int find(int i) {
    while (parent_[static_cast<std::size_t>(i)] != i) {
      int& p = parent_[static_cast<std::size_t>(i)];
      p = parent_[static_cast<std::size_t>(p)];
      i = p;
    }
    return i;
  }
  // The smaller root index stays the root, so the result does not depend on the order of
  // the unions.
  void unite(int a, int b) {
    a = find(a);
    b = find(b);
    if (a == b) return;
    if (b < a) std::swap(a, b);
    parent_[static_cast<std::size_t>(b)] = a;
  }

 private:
  std::vector<int> parent_;
};

bool onFace(const Point& p, const MergeBox& box) {
  return p.x == 0.0 || p.x == box.domainL || p.y == 0.0 || p.y == box.domainW;
}

double linkTolerance(double a, double b, double mergeDistance) {
  return std::max(
      mergeDistance,
      kLinkMargin * (kWindowOffset + kWindowRelative * std::max(std::abs(a), std::abs(b))));
}

}  // namespace

bool pointsLinked(const Point& p, const Point& q, double mergeDistance) {
  return std::abs(p.x - q.x) <= linkTolerance(p.x, q.x, mergeDistance) &&
         std::abs(p.y - q.y) <= linkTolerance(p.y, q.y, mergeDistance);
}

std::vector<int> mergePoints(const std::vector<Point>& points, const MergeBox& box) {
  const std::size_t n = points.size();
  // Wider than any link inside the domain, with room for the rounding of x / width.
  const double widest = std::max(box.domainL, box.domainW);
  const double width = linkTolerance(widest, widest, box.mergeDistance) * 1.000001;
  const auto rows = static_cast<std::uint64_t>(box.domainW / width) + 3;
  auto cellOf = [&](const Point& p) {
    const auto cx = static_cast<std::uint64_t>(std::max(0.0, p.x) / width) + 1;
    const auto cy = static_cast<std::uint64_t>(std::max(0.0, p.y) / width) + 1;
    return cx * rows + cy;
  };
  std::vector<std::pair<std::uint64_t, int>> order(n);
  for (std::size_t i = 0; i < n; ++i) order[i] = {cellOf(points[i]), static_cast<int>(i)};
  std::sort(order.begin(), order.end());

  DisjointSets groups(n);
  auto linkRuns = [&](std::size_t aBegin, std::size_t aEnd, std::size_t bBegin, std::size_t bEnd) {
    for (std::size_t a = aBegin; a < aEnd; ++a) {
      const int pa = order[a].second;
      for (std::size_t b = std::max(bBegin, a + 1); b < bEnd; ++b) {
        const int pb = order[b].second;
        if (pointsLinked(points[static_cast<std::size_t>(pa)], points[static_cast<std::size_t>(pb)],
                         box.mergeDistance)) {
          groups.unite(pa, pb);
        }
      }
    }
  };
  auto runOf = [&](std::uint64_t cell) {
    const auto lo = std::lower_bound(order.begin(), order.end(), std::make_pair(cell, -1));
    auto hi = lo;
    while (hi != order.end() && hi->first == cell) ++hi;
    return std::make_pair(static_cast<std::size_t>(lo - order.begin()),
                          static_cast<std::size_t>(hi - order.begin()));
  };
  for (std::size_t begin = 0; begin < n;) {
    const std::uint64_t cell = order[begin].first;
    std::size_t end = begin;
    while (end < n && order[end].first == cell) ++end;
    linkRuns(begin, end, begin, end);
    for (const std::uint64_t next : {cell + 1, cell + rows - 1, cell + rows, cell + rows + 1}) {
      const auto [nb, ne] = runOf(next);
      linkRuns(begin, end, nb, ne);
    }
    begin = end;
  }

  std::vector<int> representative(n, -1);
  for (std::size_t i = 0; i < n; ++i) {
    int& r = representative[static_cast<std::size_t>(groups.find(static_cast<int>(i)))];
    if (r < 0 || (!onFace(points[static_cast<std::size_t>(r)], box) && onFace(points[i], box))) {
      r = static_cast<int>(i);
    }
  }
  std::vector<int> result(n);
  for (std::size_t i = 0; i < n; ++i) {
    result[i] = representative[static_cast<std::size_t>(groups.find(static_cast<int>(i)))];
  }
  return result;
}

}  // namespace fracflow::generator
