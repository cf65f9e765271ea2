// The downhill candidates at a particle's position on the backbone: every segment with an
// end at the position whose head falls from that end to the other, in stored order.
#pragma once

#include <vector>

#include "core/model_constants.hpp"
#include "dfn/backbone.hpp"
#include "transport/backbone_end_index.hpp"

namespace fracflow::transport {

// The flow along a segment taken from end a to end b: the head drop times the segment's
// conductance, 0.01·perm / length. It is the particle's speed along the segment.
inline double segmentFlow(double headA, double headB, double perm, double length) {
  return (headA - headB) * kConductanceFactor * perm / length;
}

struct NetworkCandidate {
  double flow = 0.0;    // segmentFlow from the near end to the far end
  double length = 0.0;  // distance from the near end to the far end
  int originEnd = -1;   // end numbers as in BackboneEndIndex
  int destinationEnd = -1;
};

// Replaces out with the candidates at (x, y) among the given segments (ascending, as
// BackboneEndIndex::segmentsAt gives them) and returns their flows added in order. A segment
// whose end 1 matches with head1 > head2 runs from end 1; otherwise one whose end 2 matches
// with head2 > head1 runs from end 2.
double gatherNetworkCandidates(const Backbone& backbone, const std::vector<int>& segments, double x,
                               double y, std::vector<NetworkCandidate>& out);

// The coordinates of an end number.
inline double endX(const Backbone& backbone, int end) {
  const Segment& s = backbone.segments[static_cast<std::size_t>(end / 2)];
  return end % 2 == 0 ? s.x1 : s.x2;
}
inline double endY(const Backbone& backbone, int end) {
  const Segment& s = backbone.segments[static_cast<std::size_t>(end / 2)];
  return end % 2 == 0 ? s.y1 : s.y2;
}

}  // namespace fracflow::transport
