// Finding nodes by position without scanning the node table. Nodes are bucketed on a
// uniform grid over their bounding box; each query visits the buckets its window can reach
// and applies the exact window predicate, so it yields exactly the nodes a full scan in
// node order would, in ascending node order.
#pragma once

#include <vector>

#include "network/node.hpp"

namespace fracflow::dfn {

class NodeIndex {
 public:
  explicit NodeIndex(const std::vector<Node>& nodes);

  // The nodes q >= firstNode that lie in the relative window about the point (ex, ey),
  // ascending, into out (cleared first).
  void nodesInRelativeWindowOf(double ex, double ey, int firstNode, std::vector<int>& out) const;

  // The nodes p whose widened window with offset d holds the point (ex, ey), ascending,
  // into out (cleared first).
  void nodesWhoseWidenedWindowHolds(double ex, double ey, double d, std::vector<int>& out) const;

 private:
  // Appends the nodes of every bucket that can hold a point of [xLo, xHi] x [yLo, yHi].
  void collectBuckets(double xLo, double xHi, double yLo, double yHi, std::vector<int>& out) const;
  int bucketX(double x) const;
  int bucketY(double y) const;

  std::vector<double> x_;
  std::vector<double> y_;
  double minX_ = 0.0;
  double minY_ = 0.0;
  double scaleX_ = 0.0;  // buckets per unit length
  double scaleY_ = 0.0;
  int countX_ = 1;
  int countY_ = 1;
  // bucket (i, j) at i * countY_ + j holds bucketNodes_[bucketStart_[b] .. bucketStart_[b+1]).
  std::vector<int> bucketStart_;
  std::vector<int> bucketNodes_;
};

}  // namespace fracflow::dfn
