// A uniform grid of buckets: each fracture is listed in every bucket it passes through
// (with a small allowance, so rounding cannot lose a bucket), and two fractures are tested
// when they share a bucket. The bucket width is the smaller of the mean spacing of the
// fractures and of their lines, so buckets hold few fractures on average.
#include "generator/crossing_search.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace fracflow::generator {
namespace {

constexpr double kMaxBuckets = 1 << 23;

class BucketGrid {
 public:
  BucketGrid(const std::vector<LineSegment>& fractures, double domainL, double domainW) {
    const double area = domainL * domainW;
    const auto n = static_cast<double>(std::max<std::size_t>(fractures.size(), 1));
    double total = 0.0;
    for (const LineSegment& s : fractures) total += segmentLength(s);
    double width = std::sqrt(area / n);
    if (total > 0.0) width = std::min(width, area / total);
    width = std::max(width, std::sqrt(area / kMaxBuckets));
    columns_ = std::max(1, static_cast<int>(std::ceil(domainL / width)));
    rows_ = std::max(1, static_cast<int>(std::ceil(domainW / width)));
    width_ = std::max(domainL / columns_, domainW / rows_);
    allowance_ = 1e-9 * std::max(domainL, domainW);

    // Two passes over the same bucket walk: count, then fill, so each bucket's list is
    // one contiguous, ascending run of fracture indices.
    start_.assign(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_) + 1, 0);
    for (const LineSegment& s : fractures) {
      forEachBucket(s, [&](std::size_t b) { ++start_[b + 1]; });
    }
    for (std::size_t b = 1; b < start_.size(); ++b) start_[b] += start_[b - 1];
    members_.resize(start_.back());
    std::vector<std::size_t> fill(start_.begin(), start_.end() - 1);
    for (std::size_t i = 0; i < fractures.size(); ++i) {
      forEachBucket(fractures[i],
                    [&](std::size_t b) { members_[fill[b]++] = static_cast<int>(i); });
    }
  }

  // Calls visit(bucket) for every bucket that s passes through or comes within the
  // allowance of, column by column.
  template <typename Visit>
  void forEachBucket(const LineSegment& s, Visit visit) const {
    const double xMin = std::min(s.a.x, s.b.x);
    const double xMax = std::max(s.a.x, s.b.x);
    const double dx = s.b.x - s.a.x;
    const double dy = s.b.y - s.a.y;
    const int c0 = column(xMin - allowance_);
    const int c1 = column(xMax + allowance_);
    for (int c = c0; c <= c1; ++c) {
      double yLow = std::min(s.a.y, s.b.y);
      double yHigh = std::max(s.a.y, s.b.y);
      if (dx != 0.0 && c0 != c1) {
        // The y range of the line over this column's part of the fracture.
        // The first and last columns take the fracture's own ends, which also covers
        // the clamped columns at the faces.
        const double xa = c == c0 ? xMin : std::max(xMin, c * width_ - allowance_);
        const double xb = c == c1 ? xMax : std::min(xMax, (c + 1) * width_ + allowance_);
        const double ya = s.a.y + (xa - s.a.x) * (dy / dx);
        const double yb = s.a.y + (xb - s.a.x) * (dy / dx);
        yLow = std::max(yLow, std::min(ya, yb));
        yHigh = std::min(yHigh, std::max(ya, yb));
      }
      const int r0 = row(yLow - allowance_);
      const int r1 = row(yHigh + allowance_);
      for (int r = r0; r <= r1; ++r) {
        visit(static_cast<std::size_t>(c) * static_cast<std::size_t>(rows_) +
              static_cast<std::size_t>(r));
      }
    }
  }

  // The fractures listed in bucket b with an index above i.
  std::pair<const int*, const int*> membersAbove(std::size_t b, int i) const {
    const int* begin = members_.data() + start_[b];
    const int* end = members_.data() + start_[b + 1];
    return {std::upper_bound(begin, end, i), end};
  }

 private:
  int column(double x) const { return clampIndex(x / width_, columns_); }
  int row(double y) const { return clampIndex(y / width_, rows_); }
  static int clampIndex(double v, int count) {
    if (!(v > 0.0)) return 0;
    if (v >= count) return count - 1;
    return static_cast<int>(v);
  }

  int columns_ = 1;
  int rows_ = 1;
  double width_ = 1.0;
  double allowance_ = 0.0;
  std::vector<std::size_t> start_;
  std::vector<int> members_;
};

}  // namespace

std::optional<Crossing> crossFractures(const std::vector<LineSegment>& fractures, int first,
                                       int second, double domainL, double domainW) {
  const LineSegment& p = fractures[static_cast<std::size_t>(first)];
  const LineSegment& q = fractures[static_cast<std::size_t>(second)];
  const double rx = p.b.x - p.a.x;
  const double ry = p.b.y - p.a.y;
  const double sx = q.b.x - q.a.x;
  const double sy = q.b.y - q.a.y;
  const double d = rx * sy - ry * sx;
  if (d == 0.0) return std::nullopt;  // parallel (or overlapping) lines: no single point
  const double wx = q.a.x - p.a.x;
  const double wy = q.a.y - p.a.y;
  const double t = (wx * sy - wy * sx) / d;
  const double u = (wx * ry - wy * rx) / d;
  if (!(t >= 0.0 && t <= 1.0 && u >= 0.0 && u <= 1.0)) return std::nullopt;
  Crossing crossing{first, second, t, u, {p.a.x + t * rx, p.a.y + t * ry}};
  crossing.point.x = std::clamp(crossing.point.x, 0.0, domainL);
  crossing.point.y = std::clamp(crossing.point.y, 0.0, domainW);
  return crossing;
}

std::vector<Crossing> findCrossings(const std::vector<LineSegment>& fractures, double domainL,
                                    double domainW) {
  std::vector<Crossing> crossings;
  if (fractures.size() < 2) return crossings;
  const BucketGrid grid(fractures, domainL, domainW);
  // lastTested[j] == i: the pair (i, j) has been tested already.
  std::vector<int> lastTested(fractures.size(), -1);
  for (std::size_t ui = 0; ui < fractures.size(); ++ui) {
    const int i = static_cast<int>(ui);
    std::size_t firstNew = crossings.size();
    grid.forEachBucket(fractures[ui], [&](std::size_t b) {
      const auto [begin, end] = grid.membersAbove(b, i);
      for (const int* j = begin; j != end; ++j) {
        int& mark = lastTested[static_cast<std::size_t>(*j)];
        if (mark == i) continue;
        mark = i;
        if (auto crossing = crossFractures(fractures, i, *j, domainL, domainW)) {
          crossings.push_back(*crossing);
        }
      }
    });
    std::sort(crossings.begin() + static_cast<std::ptrdiff_t>(firstNew), crossings.end(),
              [](const Crossing& a, const Crossing& b) { return a.second < b.second; });
  }
  return crossings;
}

}  // namespace fracflow::generator
