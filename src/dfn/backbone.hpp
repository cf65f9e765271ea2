// The backbone: the segments that carry a significant share of the network flow, in
// segment order, with the solved heads at their two ends. Particle tracking walks it.
#pragma once

#include <vector>

#include "network/segment.hpp"

namespace fracflow {

struct Backbone {
  SegmentTable segments;
  std::vector<double> head1;      // head at end 1 of each backbone segment
  std::vector<double> head2;      // head at end 2
  std::vector<int> segmentIndex;  // where each backbone segment stands in the segment table
  int count() const { return static_cast<int>(segments.size()); }
};

}  // namespace fracflow
