// The DFN phase, step by step.
#include "app/dfn_phase.hpp"

#include <utility>

#include "dfn/backbone_selection.hpp"
#include "dfn/end_heads.hpp"
#include "dfn/face_flows.hpp"
#include "dfn/flow_files.hpp"
#include "dfn/flow_system.hpp"
#include "dfn/node_heads.hpp"
#include "io/output_file.hpp"
#include "io/polyline_file.hpp"
#include "solvers/system_dump.hpp"
#include "transport/network_transport.hpp"

namespace fracflow::app {

std::optional<dfn::WellNodes> runWellStep(const RunOptions& options, const NodeTable& nodes,
                                          io::TextStream& console) {
  dfn::WellNodes well = dfn::findWellNodes(nodes, options, console);
  if (dfn::wellCatchesNoNode(well, options)) {
    console.line(dfn::kNoWellNodeMessage);
    return std::nullopt;
  }
  return well;
}

RealizationEnd runDfnPhase(const RunOptions& options, Realization& realization,
                           const SegmentTable& segments, NodeTable& nodes,
                           const dfn::WellNodes& well, int fractureCount, DfnTables* kept) {
  {
    // The system lives from assembly to the end of the solve.
    const dfn::FlowSystem system = dfn::assembleFlowSystem(segments, nodes, well);
    if (options.dfnfl == 1) {
      solvers::writeSystemDumps(
          realization.fileName("a."), system.A, realization.fileName("b."), system.b,
          {"dfnfl", 56, [&](const std::string& note) { realization.diagnostic(note); }});
    }
    realization.lap(Phase::DfnAssembly);
    const bool solved = dfn::solveNodeHeads(system, nodes, options, realization.console);
    realization.lap(Phase::Minres);
    if (!solved) {
      writeNonConvergenceFile("NoConDFN.", realization.realizationNumber, "DFN");
      return RealizationEnd::RunEnded;
    }
  }

  const Backbone backbone = [&] {
    const dfn::EndHeads heads = dfn::findEndHeads(segments, nodes);
    return dfn::findBackbone(segments, heads, options, fractureCount, realization.console);
  }();
  if (kept != nullptr) kept->backboneSegments = backbone.segmentIndex;
  if (options.bbone == 1) {
    io::writePolylineFile(realization.fileName("Backbone.", io::Extension::Bln), backbone.segments);
  }
  if (options.dfndt == 1) {
    dfn::writeHeadFile(realization.fileName("dfnhead."), nodes);
    dfn::writeFlowDataFile(realization.fileName("FlowData."), backbone);
  }

  io::OutputFile dfnFlowFile(realization.fileName("DFN_flow."));
  dfn::writeFaceFlows(dfnFlowFile, dfn::computeFaceFlows(backbone, options));
  realization.lap(Phase::BackboneFiles);
  // Particle tracking on the backbone appends its report to this file and closes it.
  if (options.dfntr == 1) {
    std::vector<transport::ParticleStop> stops =
        transport::runNetworkTransport(options, backbone, nodes, dfnFlowFile, realization.random,
                                       realization.console, realization.realizationNumber);
    if (kept != nullptr) {
      kept->particlesTracked = true;
      kept->particles = std::move(stops);
    }
    realization.lap(Phase::DfnTransport);
  } else {
    dfnFlowFile.close();
  }
  return RealizationEnd::Completed;
}

}  // namespace fracflow::app
