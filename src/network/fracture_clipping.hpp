// Cutting a fracture back to the domain rectangle [0, domainL] × [0, domainW]: the midpoint
// test that drops fractures lying below or left of the domain, the clipping of each end along
// the fracture line onto the face it lies beyond, and the drop of fractures left with no
// point in the domain.
#pragma once

#include <optional>

#include "network/segment.hpp"

namespace fracflow::network {

// Moves the end (x, y) of a fracture with midpoint (mx, my) onto the face (or the face
// through the corner) it lies beyond; an end inside the domain is left as it is.
void clipEnd(double& x, double& y, double mx, double my, double domainL, double domainW);

// The fracture as it enters the fracture table, or nothing when it is dropped: its midpoint
// lies below or left of the domain, it lies beyond the right or top face (touching it at
// most), or after clipping it has a coordinate that is not finite, an end off the domain,
// or (having had an end outside) no length left.
std::optional<Fracture> clipFracture(const Fracture& read, double domainL, double domainW);

}  // namespace fracflow::network
