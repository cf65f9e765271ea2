// Cutting a fracture back to the domain rectangle [0, L] x [0, W].
#pragma once

#include <optional>

#include "generator/line_segment.hpp"

namespace fracflow::generator {

// The part of s inside the domain, or nullopt when s has no piece of positive length in it.
// An end moved onto a face gets that face's coordinate exactly (0, L or W), so the
// simulator recognises it as a boundary point; the other coordinate is kept in range.
std::optional<LineSegment> clipToDomain(const LineSegment& s, double domainL, double domainW);

}  // namespace fracflow::generator
