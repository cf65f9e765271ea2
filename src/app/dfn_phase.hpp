// The well step and the network (DFN) flow of a realization: flow system, solve, backbone, its
// plot, the head and flow-data files and the face flows.
#pragma once

#include <optional>

#include "app/realization.hpp"
#include "core/face_flows.hpp"
#include "dfn/backbone.hpp"
#include "dfn/well_nodes.hpp"
#include "network/node.hpp"
#include "network/segment.hpp"
#include "options/run_options.hpp"
#include "solvers/solve_report.hpp"

namespace fracflow::app {

// Finds the well nodes and prints their count. Returns nothing when the well is switched
// on but catches no node: the message is printed and the run must end.
std::optional<dfn::WellNodes> runWellStep(const RunOptions& options, const NodeTable& nodes,
                                          io::TextStream& console);

// What the DFN flow leaves for the particles and the DFN flow file.
struct DfnFlow {
  solvers::SolveReport solve;
  Backbone backbone;    // set only when the solve converged
  FaceFlows faceFlows;  // set only when the solve converged
};

// Runs the DFN flow (call it only when dfncp is 1). fractureCount is the number of segments
// before tiny-segment removal. The nodes get the solved heads. When MINRES does not converge,
// NoConDFN. is written and nothing else: the run must end.
DfnFlow runDfnFlow(const RunOptions& options, Realization& realization,
                   const SegmentTable& segments, NodeTable& nodes, const dfn::WellNodes& well,
                   int fractureCount);

}  // namespace fracflow::app
