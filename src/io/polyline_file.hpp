// The polyline plot files (.bln): each segment as a two-point polyline, "2" then one line
// per point, three blanks, x, ", ", y, in fixed notation with six digits after the point.
#pragma once

#include <string>

#include "network/segment.hpp"

namespace fracflow::io {

// Writes the segments, in order, to the file name (replacing an old file). An empty table
// gives an empty file.
void writePolylineFile(const std::string& name, const SegmentTable& segments);

}  // namespace fracflow::io
