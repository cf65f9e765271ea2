// The network phases of a realization: fractures read and clipped, the segment list and its
// tiny-segment pass, and the nodes, with their console lines and plot files.
#pragma once

#include <string>
#include <string_view>

#include "app/realization.hpp"
#include "network/node.hpp"
#include "network/segment.hpp"
#include "options/run_options.hpp"

namespace fracflow::app {

// What the flow phases work on.
struct Network {
  int fractureCount = 0;  // fractures kept, before any tiny segment was removed
  SegmentTable segments;  // after the tiny-segment pass
  NodeTable nodes;
};

struct NetworkPhaseResult {
  RealizationEnd end = RealizationEnd::Completed;  // anything else: the realization stops
  Network network;                                 // complete only when end is Completed
  std::string endReason;  // when the run ends here: why, in words (see run_end.hpp)
};

// Runs the fracture, segment and node phases on the text of the network data file. A malformed
// file is reported on the diagnostics stream before anything of the realization is printed, and the
// realization is skipped; a segment too short to keep ends the run.
NetworkPhaseResult runNetworkPhase(const RunOptions& options, Realization& realization,
                                   std::string_view networkText,
                                   const std::string& networkFileName);

}  // namespace fracflow::app
