// A straight piece between two points, the unit the generator clips, crosses and splits.
#pragma once

#include <cmath>

namespace fracflow::generator {

struct Point {
  double x = 0.0;
  double y = 0.0;
};

struct LineSegment {
  Point a;
  Point b;
};

inline double segmentLength(const LineSegment& s) {
  const double dx = s.b.x - s.a.x;
  const double dy = s.b.y - s.a.y;
  return std::sqrt(dx * dx + dy * dy);
}

}  // namespace fracflow::generator
