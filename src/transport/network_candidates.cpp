// Gathering the downhill candidates on the backbone.
#include "transport/network_candidates.hpp"

#include <cmath>
#include <cstddef>

namespace fracflow::transport {

double gatherNetworkCandidates(const Backbone& backbone, const std::vector<int>& segments, double x,
                               double y, std::vector<NetworkCandidate>& out) {
  out.clear();
  double sum = 0.0;
  for (const int s : segments) {
    const auto k = static_cast<std::size_t>(s);
    const Segment& seg = backbone.segments[k];
    const double h1 = backbone.head1[k];
    const double h2 = backbone.head2[k];
    const double length = segmentLength(seg);
    NetworkCandidate candidate;
    if (atParticlePosition(seg.x1, seg.y1, x, y) && h1 > h2) {
      candidate = {segmentFlow(h1, h2, seg.perm, length), length, 2 * s, 2 * s + 1};
    } else if (atParticlePosition(seg.x2, seg.y2, x, y) && h2 > h1) {
      // The distance from end 2 to end 1 has the same value as the length: the squared
      // differences are the same numbers.
      candidate = {segmentFlow(h2, h1, seg.perm, length), length, 2 * s + 1, 2 * s};
    } else {
      continue;
    }
    sum += candidate.flow;
    out.push_back(candidate);
  }
  return sum;
}

}  // namespace fracflow::transport
