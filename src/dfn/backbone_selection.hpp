// Picking the backbone: the flowing segments whose permeability times head gradient
// reaches a share of the network average, with their end heads.
#pragma once

#include "dfn/backbone.hpp"
#include "dfn/end_heads.hpp"
#include "io/text_stream.hpp"
#include "network/segment.hpp"
#include "options/run_options.hpp"

namespace fracflow::dfn {

// A segment is flowing when its head gradient reaches 2 % of the mean gradient between
// the top and bottom inputs tf1 and bf1 across the domain. The backbone threshold is
// 1 / (2 · fractureCount) of (mean perm of the flowing segments) × (their overall gradient);
// without flowing segments it is undefined (NaN) and the backbone is empty. Prints
// "Number of segments in backbone = ".
Backbone findBackbone(const SegmentTable& segments, const EndHeads& heads,
                      const RunOptions& options, int fractureCount, io::TextStream& console);

}  // namespace fracflow::dfn
