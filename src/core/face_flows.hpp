// FaceFlows: the flow through each face of the domain, positive where water leaves it, as both
// flow methods report it; the global flow is half the sum of their magnitudes.
#pragma once

#include <cmath>

namespace fracflow {

struct FaceFlows {
  double top = 0.0;
  double right = 0.0;
  double bottom = 0.0;
  double left = 0.0;

  double global() const {
    return (std::fabs(top) + std::fabs(right) + std::fabs(bottom) + std::fabs(left)) / 2;
  }
};

}  // namespace fracflow
