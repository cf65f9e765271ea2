// The segment list of a realization: taken over one to one from the fracture table, and its
// density (total length per unit area of the domain).
#pragma once

#include "network/segment.hpp"

namespace fracflow::network {

// Every fracture becomes one segment, in table order; the fracture table is consumed.
SegmentTable buildSegments(FractureTable&& fractures);

// The sum of the segment lengths, in order, divided by domainL × domainW.
double segmentDensity(const SegmentTable& segments, double domainL, double domainW);

}  // namespace fracflow::network
