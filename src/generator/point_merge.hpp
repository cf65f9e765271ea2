// Deciding which end points and crossings become one network node. The simulator matches
// points to nodes within windows of one part in a million plus a small fixed offset (up to
// 1e-5 below a node in y), so every group of points that close (or closer than the merge
// distance) must be written as one exact point.
#pragma once

#include <vector>

#include "generator/line_segment.hpp"

namespace fracflow::generator {

// Two points are linked when they differ by at most max(mergeDistance, kLinkMargin *
// (kWindowOffset + kWindowRelative * |coordinate|)) in x and in y (the larger |coordinate|
// of the two): twice the simulator's widest window, so that two points kept apart are
// never in one of its windows, whichever of them the window is taken about.
inline constexpr double kWindowRelative = 1e-6;
inline constexpr double kWindowOffset = 1e-5;
inline constexpr double kLinkMargin = 2.0;

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
