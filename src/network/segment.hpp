// Fracture and Segment: one straight piece of the network, its permeability value and its
// two end points, five doubles in this order.
#pragma once

#include <cmath>
#include <vector>

namespace fracflow {

struct Segment {
  double perm = 0.0;
  double x1 = 0.0;
  double y1 = 0.0;
  double x2 = 0.0;
  double y2 = 0.0;
};

// A fracture as read from a network data file has the same five fields.
using Fracture = Segment;

using SegmentTable = std::vector<Segment>;
using FractureTable = std::vector<Fracture>;

inline double segmentLength(const Segment& s) {
  return std::sqrt((s.x2 - s.x1) * (s.x2 - s.x1) + (s.y2 - s.y1) * (s.y2 - s.y1));
}

}  // namespace fracflow
