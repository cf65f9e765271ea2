// Node queries over the shared point index.
#include "dfn/node_index.hpp"

#include <algorithm>

#include "io/check.hpp"
#include "network/point_windows.hpp"

namespace fracflow::dfn {
namespace {

std::vector<network::Point> positions(const std::vector<Node>& nodes) {
  std::vector<network::Point> points;
  points.reserve(nodes.size());
  for (const Node& node : nodes) points.push_back({node.x, node.y});
  return points;
}

}  // namespace

NodeIndex::NodeIndex(const std::vector<Node>& nodes) : points_(positions(nodes)) {}

void NodeIndex::nodesInRelativeWindowOf(double ex, double ey, int firstNode,
                                        std::vector<int>& out) const {
  out.clear();
  points_.forEachCandidate(ex, ey, [&](int q, double qx, double qy) {
    if (q >= firstNode && network::inRelativeWindow(qx, qy, ex, ey)) out.push_back(q);
  });
  std::sort(out.begin(), out.end());
}

void NodeIndex::nodesWhoseWidenedWindowHolds(double ex, double ey, double d,
                                             std::vector<int>& out) const {
  out.clear();
  // The index reaches as far as the widest of the offsets.
  FRACFLOW_CHECK(d <= kFarEnd1Offset);
  points_.forEachCandidate(ex, ey, [&](int p, double px, double py) {
    if (network::inWidenedWindow(ex, ey, px, py, d)) out.push_back(p);
  });
  std::sort(out.begin(), out.end());
}

}  // namespace fracflow::dfn
