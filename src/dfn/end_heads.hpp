// The solved head at both ends of every segment, taken from the node whose widened window
// holds the end point.
#pragma once

#include <vector>

#include "network/node.hpp"
#include "network/segment.hpp"

namespace fracflow::dfn {

struct EndHeads {
  std::vector<double> head1;  // one per segment: head at end 1
  std::vector<double> head2;  // head at end 2
};

// Where several nodes hold an end point, the last in node order gives the head; for end 2
// only nodes that do not also hold end 1 count. An end that no node holds gets NaN, so the
// segment can carry no flow and never joins the backbone.
EndHeads findEndHeads(const SegmentTable& segments, const NodeTable& nodes);

}  // namespace fracflow::dfn
