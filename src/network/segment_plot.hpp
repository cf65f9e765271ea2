// The plot file of a table of segments (or fractures): one two-point polyline per piece, in
// table order. Used for the fracture, segment and backbone plots.
#pragma once

#include <filesystem>

#include "network/segment.hpp"

namespace fracflow::network {

void writeSegmentPlot(const std::filesystem::path& path, const SegmentTable& segments);

}  // namespace fracflow::network
