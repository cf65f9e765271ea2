// Finding every point where two fractures cross, with a bucket grid over the domain so
// that the work grows with the number of fractures and crossings, not with its square.
#pragma once

#include <optional>
#include <vector>

#include "generator/line_segment.hpp"

namespace fracflow::generator {

struct Crossing {
  int first = 0;         // index of the one fracture ...
  int second = 0;        // ... and of the other, first < second
  double tFirst = 0.0;   // position along first, from its end a (0) to its end b (1)
  double tSecond = 0.0;  // position along second
  Point point;           // computed once, inside the domain
};

// The crossing of fractures first and second (first < second), if they cross: the lines
// are not parallel and the crossing lies on both, ends included. The point is moved
// into the domain where rounding puts it a hair outside.
std::optional<Crossing> crossFractures(const std::vector<LineSegment>& fractures, int first,
                                       int second, double domainL, double domainW);

// Every crossing of every pair, sorted by (first, second). Each pair is tested once; the
// buckets only decide which pairs are tested, crossFractures decides whether they cross.
std::vector<Crossing> findCrossings(const std::vector<LineSegment>& fractures, double domainL,
                                    double domainW);

}  // namespace fracflow::generator
