// The tiny-segment pass: segments of length at most 1e-5 × domainL are removed, a collinear
// neighbour being stretched over the removed piece where the network would otherwise lose a
// connection; a segment of length at most 1e-9 × domainL ends the run.
#pragma once

#include <cmath>
#include <optional>
#include <vector>

#include "network/segment.hpp"

namespace fracflow::network {

struct TinySegmentPass {
  int tinyFracs = 0;          // tiny segments met
  int absentFracs = 0;        // segments removed
  std::vector<int> abFracId;  // the removed segments, by index before compaction, in order
  // The index (before compaction) of a segment too short to keep the run going; when set,
  // the pass stopped there and the table is left as it stood, not compacted.
  std::optional<int> tooTiny;
};

// Visits the segments in index order with their current end points, acts on each tiny one,
// then drops the removed segments from the table, keeping the order of the others.
TinySegmentPass removeTinySegments(SegmentTable& segments, double domainL);

// The magnitude of the slope, |y2 − y1| / |x2 − x1| (+infinity for a vertical segment).
inline double slopeMagnitude(const Segment& s) {
  return std::fabs(s.y2 - s.y1) / std::fabs(s.x2 - s.x1);
}

// Which of the four pairings of the ends of i and j, tried in the order (end 1 of i, end 1
// of j), (1, 2), (2, 1), (2, 2), first has both coordinates equal: 0 to 3, or -1 for none.
inline int firstSharedEnd(const Segment& i, const Segment& j) {
  if (i.x1 == j.x1 && i.y1 == j.y1) return 0;
  if (i.x1 == j.x2 && i.y1 == j.y2) return 1;
  if (i.x2 == j.x1 && i.y2 == j.y1) return 2;
  if (i.x2 == j.x2 && i.y2 == j.y2) return 3;
  return -1;
}

// Whether j is a collinear neighbour of i: slopes within 3 % in magnitude, the same perm
// exactly, and an end point shared exactly.
inline bool isCollinearNeighbour(const Segment& i, const Segment& j) {
  const double si = slopeMagnitude(i);
  const double sj = slopeMagnitude(j);
  return 0.97 * sj <= si && si <= 1.03 * sj && j.perm == i.perm && firstSharedEnd(i, j) >= 0;
}

}  // namespace fracflow::network
