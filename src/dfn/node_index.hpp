// Finding nodes by position without scanning the node table: the shared point index hands
// out the nodes near a point, the exact window predicate decides, so each query yields
// exactly the nodes a full scan in node order would, in ascending node order.
#pragma once

#include <vector>

#include "network/node.hpp"
#include "network/point_index.hpp"

namespace fracflow::dfn {

// Offsets of the widened window's lower bound in y: far end 2 of a segment, far end 1 of
// a segment, and the end-head search.
inline constexpr double kFarEnd2Offset = 1e-6;
inline constexpr double kFarEnd1Offset = 1e-5;
inline constexpr double kEndHeadOffset = 1e-5;

class NodeIndex {
 public:
  explicit NodeIndex(const std::vector<Node>& nodes);

  // The nodes q >= firstNode that lie in the relative window about the point (ex, ey),
  // ascending, into out (cleared first).
  void nodesInRelativeWindowOf(double ex, double ey, int firstNode, std::vector<int>& out) const;

  // The nodes p whose widened window with offset d (at most 1e-5) holds the point (ex, ey),
  // ascending, into out (cleared first).
  void nodesWhoseWidenedWindowHolds(double ex, double ey, double d, std::vector<int>& out) const;

 private:
  network::PointIndex points_;
};

}  // namespace fracflow::dfn
