// Backbone selection.
#include "dfn/backbone_selection.hpp"

#include <cmath>
#include <cstddef>

namespace fracflow::dfn {

Backbone findBackbone(const SegmentTable& segments, const EndHeads& heads,
                      const RunOptions& options, int fractureCount, io::TextStream& console) {
  const double flowingGradient = 0.02 * std::fabs(options.tf1 - options.bf1) / options.domainW;
  double sumPerm = 0.0;
  double sumLength = 0.0;
  double sumDrop = 0.0;
  int nFlow = 0;
  for (std::size_t s = 0; s < segments.size(); ++s) {
    const double length = segmentLength(segments[s]);
    const double dh = std::fabs(heads.head1[s] - heads.head2[s]);
    if (dh / length >= flowingGradient) {
      sumPerm += segments[s].perm;
      sumLength += length;
      sumDrop += dh;
      ++nFlow;
    }
  }
  const double threshold =
      (1.0 / (2.0 * fractureCount)) * (sumPerm * sumDrop) / (nFlow * sumLength);

  std::vector<bool> inBackbone(segments.size(), false);
  int backboneCount = 0;
  for (std::size_t s = 0; s < segments.size(); ++s) {
    const Segment& segment = segments[s];
    if (std::fabs(heads.head1[s] - heads.head2[s]) * segment.perm / segmentLength(segment) >=
        threshold) {
      inBackbone[s] = true;
      ++backboneCount;
    }
  }
  console.line("Number of segments in backbone = ", backboneCount);

  Backbone backbone;
  backbone.segments.reserve(static_cast<std::size_t>(backboneCount));
  backbone.head1.reserve(static_cast<std::size_t>(backboneCount));
  backbone.head2.reserve(static_cast<std::size_t>(backboneCount));
  backbone.segmentIndex.reserve(static_cast<std::size_t>(backboneCount));
  for (std::size_t s = 0; s < segments.size(); ++s) {
    if (!inBackbone[s]) continue;
    backbone.segments.push_back(segments[s]);
    backbone.head1.push_back(heads.head1[s]);
    backbone.head2.push_back(heads.head2[s]);
    backbone.segmentIndex.push_back(static_cast<int>(s));
  }
  return backbone;
}

}  // namespace fracflow::dfn
