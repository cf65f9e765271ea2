// End heads through the node index.
#include "dfn/end_heads.hpp"

#include <cstddef>
#include <limits>

#include "dfn/node_index.hpp"

namespace fracflow::dfn {

EndNodes findEndNodes(const SegmentTable& segments, const NodeTable& nodes) {
  EndNodes ends;
  ends.node1.assign(segments.size(), kNoNode);
  ends.node2.assign(segments.size(), kNoNode);
  const NodeIndex index(nodes.nodes);
  std::vector<int> atEnd1;
  std::vector<int> atEnd2;
  for (std::size_t s = 0; s < segments.size(); ++s) {
    const Segment& segment = segments[s];
    index.nodesWhoseWidenedWindowHolds(segment.x1, segment.y1, kEndHeadOffset, atEnd1);
    index.nodesWhoseWidenedWindowHolds(segment.x2, segment.y2, kEndHeadOffset, atEnd2);
    if (!atEnd1.empty()) ends.node1[s] = atEnd1.back();
    // Both lists ascend: walk end 2's from the back to the last node not holding end 1.
    auto end1 = atEnd1.rbegin();
    for (auto q = atEnd2.rbegin(); q != atEnd2.rend(); ++q) {
      while (end1 != atEnd1.rend() && *end1 > *q) ++end1;
      if (end1 != atEnd1.rend() && *end1 == *q) continue;
      ends.node2[s] = *q;
      break;
    }
  }
  return ends;
}

EndHeads findEndHeads(const SegmentTable& segments, const NodeTable& nodes) {
  constexpr double kNoHead = std::numeric_limits<double>::quiet_NaN();
  const EndNodes ends = findEndNodes(segments, nodes);
  const auto headOf = [&](int q) {
    return q == kNoNode ? kNoHead : nodes.nodes[static_cast<std::size_t>(q)].head;
  };
  EndHeads heads;
  heads.head1.reserve(segments.size());
  heads.head2.reserve(segments.size());
  for (std::size_t s = 0; s < segments.size(); ++s) {
    heads.head1.push_back(headOf(ends.node1[s]));
    heads.head2.push_back(headOf(ends.node2[s]));
  }
  return heads;
}

}  // namespace fracflow::dfn
