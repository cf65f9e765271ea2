// A bucket grid over a fixed set of points that hands out, for a query point, every stored
// point that could match it in any of the network's point tests (exact equality, the
// relative window, the widened window, either point taken as the centre), plus a few more.
// Callers decide each candidate with the exact predicate of the scan the index replaces.
#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

#include "network/segment.hpp"

namespace fracflow::network {

struct Point {
  double x = 0.0;
  double y = 0.0;
};

// The end points of segments, end 1 of segment j at id 2·j and end 2 at id 2·j + 1.
std::vector<Point> segmentEndPoints(const SegmentTable& segments);

class PointIndex {
 public:
  // Half-width of the box searched about a query coordinate v: 2e-5 + 2e-6·|v|. Every
  // window pairs points less than 1e-5 + 1e-6·|v|·(1 + 1e-6) apart, so the box holds every
  // match with a wide margin over rounding.
  static double reach(double v) { return 2e-5 + 2e-6 * std::fabs(v); }

  explicit PointIndex(std::vector<Point> points);

  std::size_t size() const { return points_.size(); }
  const Point& point(int id) const { return points_[static_cast<std::size_t>(id)]; }

  // Calls visit(id, x, y) for every stored point within reach of (qx, qy), in no particular
  // order. Points with a coordinate that is not finite are never stored and a query that is
  // not finite finds nothing: no window can pair such points (and no exact test meets them
  // where the index is used).
  template <typename Visit>
  void forEachCandidate(double qx, double qy, Visit visit) const {
    if (!std::isfinite(qx) || !std::isfinite(qy) || bucketCount_ == 0) return;
    const double xLo = qx - reach(qx);
    const double xHi = qx + reach(qx);
    const double yLo = qy - reach(qy);
    const double yHi = qy + reach(qy);
    // Bucket numbers grow monotonically with the coordinate (rounding is monotone), so the
    // buckets of the box's corners bound the buckets of every point inside it.
    const int iFirst = bucketOf(xLo, minX_, sizeX_, nx_);
    const int iLast = bucketOf(xHi, minX_, sizeX_, nx_);
    const int jFirst = bucketOf(yLo, minY_, sizeY_, ny_);
    const int jLast = bucketOf(yHi, minY_, sizeY_, ny_);
    for (int i = iFirst; i <= iLast; ++i) {
      for (int j = jFirst; j <= jLast; ++j) {
        const auto b = static_cast<std::size_t>(i) * static_cast<std::size_t>(ny_) +
                       static_cast<std::size_t>(j);
        for (int k = bucketStart_[b]; k < bucketStart_[b + 1]; ++k) {
          const Entry& e = entries_[static_cast<std::size_t>(k)];
          if (e.x >= xLo && e.x <= xHi && e.y >= yLo && e.y <= yHi) visit(e.id, e.x, e.y);
        }
      }
    }
  }

  // The same candidates, in ascending id, in out (cleared first).
  void candidates(double qx, double qy, std::vector<int>& out) const;

  // Calls visit(id, x, y) for every stored point, bucket by bucket: a run of queries about
  // the points in this order reads memory close to the previous query's.
  template <typename Visit>
  void forEachStored(Visit visit) const {
    for (const Entry& e : entries_) visit(e.id, e.x, e.y);
  }

 private:
  static int bucketOf(double v, double min, double size, int count) {
    const double k = std::floor((v - min) / size);
    if (!(k >= 0.0)) return 0;
    if (k >= static_cast<double>(count - 1)) return count - 1;
    return static_cast<int>(k);
  }

  std::vector<Point> points_;
  double minX_ = 0.0;
  double minY_ = 0.0;
  double sizeX_ = 1.0;
  double sizeY_ = 1.0;
  int nx_ = 1;
  int ny_ = 1;
  std::size_t bucketCount_ = 0;
  // A stored point with its id, kept bucket by bucket so that a query reads them in a row.
  struct Entry {
    double x;
    double y;
    int id;
  };
  std::vector<int> bucketStart_;  // bucket b holds entries_[bucketStart_[b] .. bucketStart_[b+1])
  std::vector<Entry> entries_;    // ascending id within each bucket
};

}  // namespace fracflow::network
