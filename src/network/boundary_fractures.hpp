// Fractures that join two different faces of the domain, and their move to the front of the
// fracture table (the order in which the segments are later taken over).
#pragma once

#include "network/segment.hpp"

namespace fracflow::network {

// Whether the fracture joins two different faces, by exact comparison of its clipped ends
// with 0, domainL and domainW.
bool joinsTwoFaces(const Fracture& f, double domainL, double domainW);

// Exchanges each boundary-to-boundary fracture, in table order, with the first record not yet
// taken by one; returns their number (boundaryCount).
int moveBoundaryFracturesToFront(FractureTable& fractures, double domainL, double domainW);

}  // namespace fracflow::network
