// Boundary-to-boundary fractures.
#include "network/boundary_fractures.hpp"

#include <utility>

namespace fracflow::network {

bool joinsTwoFaces(const Fracture& f, double domainL, double domainW) {
  const double L = domainL;
  const double W = domainW;
  return (f.x1 == 0.0 && (f.x2 == L || f.y2 == 0.0 || f.y2 == W)) ||
         (f.x1 == L && (f.x2 == 0.0 || f.y2 == 0.0 || f.y2 == W)) ||
         (f.y1 == 0.0 && (f.x2 == 0.0 || f.x2 == L || f.y2 == W)) ||
         (f.y1 == W && (f.x2 == 0.0 || f.x2 == L || f.y2 == 0.0));
}

int moveBoundaryFracturesToFront(FractureTable& fractures, double domainL, double domainW) {
  std::size_t boundaryCount = 0;
  for (std::size_t i = 0; i < fractures.size(); ++i) {
    if (joinsTwoFaces(fractures[i], domainL, domainW)) {
      if (i != boundaryCount) std::swap(fractures[i], fractures[boundaryCount]);
      ++boundaryCount;
    }
  }
  return static_cast<int>(boundaryCount);
}

}  // namespace fracflow::network
