// One realization, phase by phase, in the fixed order of the simulation.
#include "app/realization.hpp"

#include <iostream>
#include <optional>
#include <string>
#include <utility>

#include "app/dfn_phase.hpp"
#include "app/grid_phase.hpp"
#include "app/network_phase.hpp"
#include "app/run_end.hpp"
#include "dfn/flow_files.hpp"
#include "grid/flow_files.hpp"
#include "io/input_file.hpp"
#include "io/output_file.hpp"
#include "transport/grid_transport.hpp"
#include "transport/network_transport.hpp"

namespace fracflow::app {
namespace {

using io::RealizationFile;

void printHeader(io::TextStream& console, int realizationNumber) {
  const std::string slashes(65, '/');
  console.line();
  console.line();
  console.line(slashes);
  console.line();
  console.line("STARTING THE SIMULATIONS FOR MONTE-CARLO RELIAZATION NUMBER = ", realizationNumber);
  console.line();
  console.line(slashes);
  console.line();
}

}  // namespace

void Realization::diagnostic(std::string_view message) const {
  console.flush();
  console.sink().flush();
  setup.diagnostics << "fracflow: " << message << '\n';
}

void writeNonConvergenceFile(const std::filesystem::path& path, int realizationNumber,
                             std::string_view method) {
  io::OutputFile file(path);
  file.line(realizationNumber);
  file.line("Realization number ", realizationNumber, " did not converge for ", method,
            " flow solution");
  file.close();
}

RealizationResult runRealization(const RunOptions& options, const RealizationSetup& setup) {
  Realization realization(setup);
  io::TextStream& console = realization.console;
  RealizationResult result;
  RealizationTables& kept = result.tables;

  // 1. The header.
  printHeader(console, realization.realizationNumber);

  // 2. The network data file of this realization.
  const std::string networkFileName = realization.inputPath(RealizationFile::NetworkData).string();
  const io::InputText networkFile = io::readInputFile(networkFileName);
  if (!networkFile.text) {
    console.line("Could not open the Network Data file");
    realization.diagnostic(networkFileName + ": " + networkFile.reason + "; realization skipped");
    result.end = RealizationEnd::Skipped;
    return result;
  }

  // 3. Fractures, segments and nodes.
  NetworkPhaseResult networkPhase =
      runNetworkPhase(options, realization, *networkFile.text, networkFileName);
  if (networkPhase.end != RealizationEnd::Completed) {
    result.end = networkPhase.end;
    result.endReason = std::move(networkPhase.endReason);
    return result;
  }
  Network& network = networkPhase.network;
  if (setup.keepTables) {
    kept.segments = network.segments;
    kept.nodes = network.nodes;
  }

  // 4. Well nodes, whatever dfncp is.
  const std::optional<dfn::WellNodes> well = runWellStep(options, network.nodes, console);
  realization.lap(Phase::Well);
  if (!well) {
    result.end = RealizationEnd::RunEnded;
    result.endReason = explainNoWellNode(realization.realizationNumber, network.nodes, options);
    realization.diagnostic(result.endReason);
    return result;
  }

  if (options.dfncp == 1) {
    // 5. DFN flow: system, MINRES, backbone and its files, face flows.
    const DfnFlow dfn = runDfnFlow(options, realization, network.segments, network.nodes, *well,
                                   network.fractureCount);
    result.minres = dfn.solve;
    if (!dfn.solve.converged) {
      result.end = RealizationEnd::RunEnded;
      result.endReason =
          explainNoConvergence(realization.realizationNumber, "DFN", "MINRES", dfn.solve,
                               realization.outputPath(RealizationFile::NoConDfn), options);
      realization.diagnostic(result.endReason);
      return result;
    }
    if (setup.keepTables) {
      kept.nodes = network.nodes;
      kept.nodeHeadsSolved = true;
      kept.backboneSegments = dfn.backbone.segmentIndex;
    }

    // 6. Particles on the backbone.
    std::optional<int> injectionSegments;
    if (options.dfntr == 1) {
      transport::ParticleWalks walks = transport::trackNetworkParticles(
          options, dfn.backbone, realization.random, console,
          realization.outputPath(RealizationFile::LastLocations),
          realization.outputPath(RealizationFile::DfnCurve), setup.keepTables);
      realization.lap(Phase::DfnTransport);
      injectionSegments = walks.injectionCount;
      if (setup.keepTables) kept.networkParticles = std::move(walks.stops);
    }

    // 7. The DFN flow file: the face flows and, after a walk, how many segments injected.
    dfn::writeFlowFile(realization.outputPath(RealizationFile::DfnFlow), dfn.faceFlows,
                       network.nodes, injectionSegments);
    realization.lap(Phase::BackboneFiles);
  }

  // 8. The grid takes the segment list over, whatever the switches.
  SegmentTable gridSegments = std::move(network.segments);
  if (options.grdcp != 1) return result;

  // 9. Grid flow: mapping, system, BiCG, head file, face flows.
  GridFlow grid = runGridFlow(options, realization, std::move(gridSegments));
  result.bicg = grid.solve;
  if (!grid.solve.converged) {
    result.end = RealizationEnd::RunEnded;
    result.endReason =
        explainNoConvergence(realization.realizationNumber, "grid", "BiCG", grid.solve,
                             realization.outputPath(RealizationFile::NoConGrid), options);
    realization.diagnostic(result.endReason);
    return result;
  }

  // 10. The grid flow file.
  grid::writeFlowFile(realization.outputPath(RealizationFile::GridFlow), grid.faceFlows,
                      grid.cells);
  realization.lap(Phase::GridFiles);

  // 11. Particles on the grid, on the stream as the network walk left it.
  if (options.grdtr == 1) {
    transport::ParticleWalks walks = transport::trackGridParticles(
        options, grid.cells, realization.random, console,
        realization.outputPath(RealizationFile::GridCurve), setup.keepTables);
    realization.lap(Phase::GridTransport);
    if (setup.keepTables) kept.gridParticles = std::move(walks.stops);
  }
  if (setup.keepTables) kept.cells = std::move(grid.cells);
  return result;
}

}  // namespace fracflow::app
