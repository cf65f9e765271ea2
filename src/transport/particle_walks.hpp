// What the particle step of either method hands back to the realization: how many places
// inject particles, and, when asked for, where each particle's walk ended.
#pragma once

#include <vector>

#include "transport/walk_end.hpp"

namespace fracflow::transport {

struct ParticleWalks {
  int injectionCount = 0;           // injection segments (network) or injection cells (grid)
  std::vector<ParticleStop> stops;  // one per particle in tracking order, when kept
};

}  // namespace fracflow::transport
