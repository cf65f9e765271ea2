// The fracture-continuum phase of a realization: the segments mapped onto the grid, the grid
// flow solved, the grid head and flow files written. Its cell table feeds the grid walk.
#pragma once

#include <optional>

#include "app/realization.hpp"
#include "grid/cell.hpp"
#include "network/segment.hpp"
#include "options/run_options.hpp"

namespace fracflow::app {

// Takes the realization's segments over. Returns the solved cell table, or nothing when the
// grid flow solver did not converge: NoConGrd. is then written and the run must end.
std::optional<CellTable> runGridPhase(const RunOptions& options, const Realization& realization,
                                      SegmentTable gridSegments);

}  // namespace fracflow::app
