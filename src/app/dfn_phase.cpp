// The DFN flow, step by step.
#include "app/dfn_phase.hpp"

#include "app/available_memory.hpp"
#include "app/direct_solve_report.hpp"
#include "dfn/backbone_selection.hpp"
#include "dfn/end_heads.hpp"
#include "dfn/face_flows.hpp"
#include "dfn/flow_files.hpp"
#include "dfn/flow_system.hpp"
#include "dfn/node_heads.hpp"
#include "network/segment_plot.hpp"
#include "solvers/system_dump.hpp"

namespace fracflow::app {

using io::RealizationFile;

std::optional<dfn::WellNodes> runWellStep(const RunOptions& options, const NodeTable& nodes,
                                          io::TextStream& console) {
  dfn::WellNodes well = dfn::findWellNodes(nodes, options, console);
  if (dfn::wellCatchesNoNode(well, options)) {
    console.line(dfn::kNoWellNodeMessage);
    return std::nullopt;
  }
  return well;
}

DfnFlow runDfnFlow(const RunOptions& options, Realization& realization,
                   const SegmentTable& segments, NodeTable& nodes, const dfn::WellNodes& well,
                   int fractureCount) {
  DfnFlow flow;
  {
    // The system lives from assembly to the end of the solve.
    const solvers::LinearSystem system = dfn::assembleFlowSystem(segments, nodes, well);
    if (options.dfnfl == 1) {
      solvers::writeSystemDumps(
          realization.outputPath(RealizationFile::DfnMatrix).string(), system.A,
          realization.outputPath(RealizationFile::DfnRhs).string(), system.b,
          {"dfnfl", 56, [&](const std::string& note) { realization.diagnostic(note); }});
    }
    realization.lap(Phase::DfnAssembly);
    if (realization.setup.solver == solvers::SolverChoice::Direct) {
      const solvers::DirectReport direct =
          dfn::solveHeadsDirect(system, nodes, options, availableMemoryBytes());
      realization.lap(Phase::Minres);
      flow.solve = showDirectSolve(direct, "DFN flow", options.tol, realization);
    } else {
      flow.solve = dfn::solveHeads(system, nodes, options, realization.console);
      realization.lap(Phase::Minres);
    }
    if (!flow.solve.converged) {
      writeNonConvergenceFile(realization.outputPath(RealizationFile::NoConDfn),
                              realization.realizationNumber, "DFN");
      return flow;
    }
  }

  flow.backbone = [&] {
    const dfn::EndHeads heads = dfn::findEndHeads(segments, nodes);
    return dfn::findBackbone(segments, heads, options, fractureCount, realization.console);
  }();
  if (options.bbone == 1) {
    network::writeSegmentPlot(realization.outputPath(RealizationFile::Backbone),
                              flow.backbone.segments);
  }
  if (options.dfndt == 1) {
    dfn::writeHeadFile(realization.outputPath(RealizationFile::DfnHeads), nodes);
    dfn::writeFlowDataFile(realization.outputPath(RealizationFile::FlowData), flow.backbone);
  }
  flow.faceFlows = dfn::computeFaceFlows(flow.backbone, options);
  realization.lap(Phase::BackboneFiles);
  return flow;
}

}  // namespace fracflow::app
