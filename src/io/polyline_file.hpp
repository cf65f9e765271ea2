// Polyline plot files (.bln): each segment as a two-point polyline, the line "2" followed
// by its two end points in fixed notation with 6 digits.
#pragma once

#include <string>

#include "network/segment.hpp"

namespace fracflow::io {

void writePolylineFile(const std::string& name, const SegmentTable& segments);

}  // namespace fracflow::io
