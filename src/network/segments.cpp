// Segment list and density.
#include "network/segments.hpp"

#include <utility>

namespace fracflow::network {

SegmentTable buildSegments(FractureTable&& fractures) {
  // A fracture and a segment are the same five fields: the table is taken over as it is.
  SegmentTable segments = std::move(fractures);
  fractures.clear();
  return segments;
}

double segmentDensity(const SegmentTable& segments, double domainL, double domainW) {
  double total = 0.0;
  for (const Segment& s : segments) total += segmentLength(s);
  return total / (domainL * domainW);
}

}  // namespace fracflow::network
