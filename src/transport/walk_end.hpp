// How a particle's walk ended and where: what both walks hand back per particle.
#pragma once

#include "grid/cell.hpp"

namespace fracflow::transport {

enum class WalkEnd {
  Arrived,   // reached a domain edge
  Stuck,     // found no way down
  TimedOut,  // its travel time passed the cap
};

struct ParticleStop {
  double startX = 0.0;  // injection point
  double startY = 0.0;
  double x = 0.0;  // where the walk ended
  double y = 0.0;
  double t = 0.0;  // travel time
  WalkEnd end = WalkEnd::Stuck;
  // The face an arrival is counted at; an arrival that the face rule places at no face
  // (possible on the grid only) is not counted.
  bool hasFace = false;
  Face face = kTop;
};

}  // namespace fracflow::transport
