// The well step and the network (DFN) flow phase of a realization: flow system, solve,
// backbone and the flow files. The DFN flow file is opened here and handed on to the
// particle tracking on the backbone before it is closed.
#pragma once

#include <optional>
#include <vector>

#include "app/realization.hpp"
#include "dfn/well_nodes.hpp"
#include "network/node.hpp"
#include "network/segment.hpp"
#include "options/run_options.hpp"
#include "transport/walk_end.hpp"

namespace fracflow::app {

// Finds the well nodes and prints their count. Returns nothing when the well is switched
// on but catches no node: the message is printed and the run must end.
std::optional<dfn::WellNodes> runWellStep(const RunOptions& options, const NodeTable& nodes,
                                          io::TextStream& console);

// What the DFN phase leaves for the ParaView files.
struct DfnTables {
  std::vector<int> backboneSegments;  // indices into the segment table, ascending
  bool particlesTracked = false;      // dfntr is 1
  std::vector<transport::ParticleStop> particles;
};

// Runs the DFN phase (call it only when dfncp is 1). fractureCount is the number of
// segments before tiny-segment removal. Returns RunEnded when the flow solve does not
// converge (NoConDFN is written), Completed otherwise. With kept, the backbone and the
// particle stops are handed back there.
RealizationEnd runDfnPhase(const RunOptions& options, Realization& realization,
                           const SegmentTable& segments, NodeTable& nodes,
                           const dfn::WellNodes& well, int fractureCount,
                           DfnTables* kept = nullptr);

}  // namespace fracflow::app
