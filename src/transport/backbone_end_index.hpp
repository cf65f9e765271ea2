// Finding the backbone segments with an end at a particle's position without scanning the
// whole backbone. Segment ends are bucketed on a uniform grid over their bounding box; a query
// visits only the buckets its window reaches and applies the exact window test, so it yields
// exactly the segments a full scan would, in ascending (stored) order.
#pragma once

#include <vector>

#include "core/model_constants.hpp"
#include "network/segment.hpp"

namespace fracflow::transport {

// An end (ex, ey) of a segment lies at the particle position (x, y) when
// 0.999999·x ≤ ex ≤ 1.000001·x and 0.999999·y ≤ ey ≤ 1.000001·y.
inline bool atParticlePosition(double ex, double ey, double x, double y) {
  return kWindowLow * x <= ex && ex <= kWindowHigh * x && kWindowLow * y <= ey &&
         ey <= kWindowHigh * y;
}

// Ends are numbered 2·s for end 1 (x1, y1) and 2·s + 1 for end 2 (x2, y2) of segment s.
class BackboneEndIndex {
 public:
  explicit BackboneEndIndex(const SegmentTable& segments);

  // Replaces out with every segment that has an end at the particle position (x, y),
  // ascending and each once.
  void segmentsAt(double x, double y, std::vector<int>& out) const;

 private:
  struct Axis {
    double origin = 0.0;
    double size = 1.0;
    int count = 1;
    // Monotone in the coordinate, so that a window [lo, hi] maps onto a bucket range.
    int bucketOf(double coordinate) const;
  };
  static Axis makeAxis(double lo, double hi, int count);

  const SegmentTable& segments_;
  Axis xAxis_;
  Axis yAxis_;
  std::vector<int> bucketStart_;  // bucket (i, j) at i * yAxis_.count + j
  std::vector<int> bucketEnds_;   // end numbers, ascending within a bucket
};

}  // namespace fracflow::transport
