// The solved head at both ends of every segment, taken from the node whose widened window
// holds the end point.
#pragma once

#include <vector>

#include "network/node.hpp"
#include "network/segment.hpp"

namespace fracflow::dfn {

// The node that gives each segment end its head: an index into the node table, or kNoNode.
inline constexpr int kNoNode = -1;
struct EndNodes {
  std::vector<int> node1;  // one per segment: the node of end 1
  std::vector<int> node2;  // the node of end 2
};

struct EndHeads {
  std::vector<double> head1;  // one per segment: head at end 1
  std::vector<double> head2;  // head at end 2
};

// Where several nodes hold an end point, the last in node order gives the head; for end 2
// only nodes that do not also hold end 1 count. An end that no node holds gets NaN, so the
// segment can carry no flow and never joins the backbone.
EndHeads findEndHeads(const SegmentTable& segments, const NodeTable& nodes);
// The nodes findEndHeads takes the heads from, by the same rules (kNoNode for the NaN ends).
EndNodes findEndNodes(const SegmentTable& segments, const NodeTable& nodes);

}  // namespace fracflow::dfn
