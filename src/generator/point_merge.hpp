// Deciding which end points and crossings become one network node. The simulator takes
// points within one part in a million of each other as one node, so every group of points
// that close (or closer than the merge distance) must be written as one exact point.
#pragma once

#include <vector>

#include "generator/line_segment.hpp"

namespace fracflow::generator {

// Points are linked when they differ by at most max(mergeDistance, kLinkWindow * |coord|)
// in x and in y: twice the simulator's node window, so that two points kept apart are
// never in each other's window, whichever of them the window is taken about.
inline constexpr double kLinkWindow = 2e-6;

struct MergeBox {
  double domainL = 0.0;
  double domainW = 0.0;
  double mergeDistance = 0.0;
};

bool pointsLinked(const Point& p, const Point& q, double mergeDistance);

// Groups points by chains of links and returns, for each point, the index of its group's
// representative: the first point of the group (in index order) that lies on a face of the
// domain, or else its first point. Near-linear, over buckets as wide as the widest link.
std::vector<int> mergePoints(const std::vector<Point>& points, const MergeBox& box);

}  // namespace fracflow::generator
