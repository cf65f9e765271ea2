// One realization, phase by phase, in the fixed order of the simulation.
#include "app/realization.hpp"

#include <iostream>
#include <optional>
#include <string>
#include <utility>

#include "app/dfn_phase.hpp"
#include "app/grid_phase.hpp"
#include "app/network_phase.hpp"
#include "io/input_file.hpp"
#include "io/output_file.hpp"
#include "transport/grid_transport.hpp"

namespace fracflow::app {
namespace {

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

void Realization::diagnostic(const std::string& message) const {
  console.flush();
  console.sink().flush();
  std::cerr << "fracflow: " << message << '\n';
}

void writeNonConvergenceFile(std::string_view prefix, int realizationNumber,
                             std::string_view method) {
  io::OutputFile file(io::realizationFileName(prefix, realizationNumber));
  file.line(realizationNumber);
  file.line("Realization number ", realizationNumber, " did not converge for ", method,
            " flow solution");
  file.close();
}

RealizationEnd runRealization(const RunOptions& options, int realizationNumber,
                              io::TextStream& console, PhaseTimings* timings,
                              VtkSeries* vtkSeries) {
  printHeader(console, realizationNumber);
  Realization realization{realizationNumber, console,
                          random::RandomStream::forRealization(realizationNumber), timings};

  // 1. The network data file of this realization.
  const std::string networkFileName = realization.fileName("Network_data.");
  const io::InputText networkFile = io::readInputFile(networkFileName);
  if (!networkFile.text) {
    console.line("Could not open the Network Data file");
    console.flush();
    console.sink().flush();
    std::cerr << "fracflow: " << networkFileName << ": " << networkFile.reason
              << "; realization skipped\n";
    return RealizationEnd::Skipped;
  }

  // 2. Fractures, segments and nodes.
  NetworkPhaseResult networkPhase =
      runNetworkPhase(options, realization, *networkFile.text, networkFileName);
  if (networkPhase.end != RealizationEnd::Completed) return networkPhase.end;
  Network& network = networkPhase.network;

  // 3. Well nodes, whatever dfncp is; then the network flow.
  const std::optional<dfn::WellNodes> well = runWellStep(options, network.nodes, console);
  realization.lap(Phase::Well);
  if (!well) return RealizationEnd::RunEnded;
  DfnTables dfnTables;
  DfnTables* keptDfn = vtkSeries != nullptr ? &dfnTables : nullptr;
  if (options.dfncp == 1) {
    const RealizationEnd end = runDfnPhase(options, realization, network.segments, network.nodes,
                                           *well, network.fractureCount, keptDfn);
    if (end != RealizationEnd::Completed) return end;
  }

  // 4. The grid takes the segment list over, whatever the switches.
  const SegmentTable networkSegments = vtkSeries != nullptr ? network.segments : SegmentTable{};
  SegmentTable gridSegments = std::move(network.segments);
  std::optional<CellTable> cells;
  if (options.grdcp == 1) {
    cells = runGridPhase(options, realization, std::move(gridSegments));
    if (!cells) return RealizationEnd::RunEnded;
    // 5. Particles on the grid, on the stream as the network walk left it.
    if (options.grdtr == 1) {
      transport::runGridTransport(options, *cells, realization.random, console, realizationNumber);
      realization.lap(Phase::GridTransport);
    }
  }

  // 6. The ParaView files of the realization.
  if (vtkSeries != nullptr) {
    VtkTables tables;
    tables.segments = &networkSegments;
    tables.nodes = &network.nodes;
    tables.nodeHeadsSolved = options.dfncp == 1;
    tables.backboneSegments = &dfnTables.backboneSegments;
    tables.cells = cells ? &*cells : nullptr;
    tables.networkParticles = dfnTables.particlesTracked ? &dfnTables.particles : nullptr;
    writeVtkFiles(".", realizationNumber, tables, grid::GridGeometry::fromOptions(options),
                  *vtkSeries);
  }
  return RealizationEnd::Completed;
}

}  // namespace fracflow::app
