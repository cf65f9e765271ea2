// The network phases, in the order of a realization.
#include "app/network_phase.hpp"

#include <utility>

#include "app/run_end.hpp"
#include "network/boundary_fractures.hpp"
#include "network/fracture_input.hpp"
#include "network/nodes.hpp"
#include "network/segment_plot.hpp"
#include "network/segments.hpp"
#include "network/tiny_segments.hpp"

namespace fracflow::app {

NetworkPhaseResult runNetworkPhase(const RunOptions& options, Realization& realization,
                                   std::string_view networkText,
                                   const std::string& networkFileName) {
  io::TextStream& console = realization.console;
  const double L = options.domainL;
  const double W = options.domainW;
  NetworkPhaseResult result;

  // 1. Fractures: the whole file is read and checked before anything is printed.
  network::FractureReading reading =
      network::readFractures(networkText, networkFileName, options.meet_fracs, L, W);
  if (reading.error) {
    realization.diagnostic(*reading.error + "; realization skipped");
    result.end = RealizationEnd::Skipped;
    return result;
  }
  // A file with fewer lines is read whole: meet_fracs is what the largest file of a study
  // needs. A file with more lines is cut short, which the user should know.
  if (reading.linesNotRead > 0) {
    realization.diagnostic(networkFileName + ": its last " + std::to_string(reading.linesNotRead) +
                           " fracture lines were not read (meet_fracs, line 13, is " +
                           std::to_string(options.meet_fracs) + ")");
  }
  FractureTable fractures = std::move(reading.fractures);
  console.line("Number of Fractures = ", fractures.size());
  console.line();
  if (options.ntwrk == 1) {
    network::writeSegmentPlot(realization.outputPath(io::RealizationFile::Fractures), fractures);
  }
  const int boundaryCount = network::moveBoundaryFracturesToFront(fractures, L, W);
  console.line("Number of boundary-to-boundary fractures = ", boundaryCount);
  result.network.fractureCount = static_cast<int>(fractures.size());
  realization.lap(Phase::NetworkInput);

  // 2. Segments.
  SegmentTable& segments = result.network.segments;
  segments = network::buildSegments(std::move(fractures));
  console.line("Total number of segments = ", segments.size());
  if (options.ntwrk == 1) {
    network::writeSegmentPlot(realization.outputPath(io::RealizationFile::Segments), segments);
  }
  const network::TinySegmentPass pass = network::removeTinySegments(segments, L);
  if (pass.tooTiny) {
    console.line("DFN simulation for realization number ", realization.realizationNumber,
                 " is being aborted as at least one fracture segment is too tiny!",
                 " ID number = ", *pass.tooTiny);
    result.endReason = explainTinySegment(realization.realizationNumber, *pass.tooTiny,
                                          segments[static_cast<std::size_t>(*pass.tooTiny)]);
    realization.diagnostic(result.endReason);
    result.end = RealizationEnd::RunEnded;
    return result;
  }
  console.line("TinyFracs = ", pass.tinyFracs);
  console.line("AbsentFracs = ", pass.absentFracs);
  console.line("Segment Density = ", network::segmentDensity(segments, L, W));
  realization.lap(Phase::Segments);

  // 3. Nodes. The counts printed are those of the table built; the cluster count can only
  // differ where end points lie partly in each other's windows, which is worth a note.
  NodeTable& nodes = result.network.nodes;
  const network::DistinctPoints endPoints(network::segmentEndPoints(segments));
  nodes = network::buildNodes(endPoints, options);
  const network::NodeCount count = network::countNodes(endPoints, L, W);
  if (count.internalNodes != nodes.internalNodes) {
    realization.diagnostic(networkFileName +
                           ": end points lie only partly in each other's 1e-6 "
                           "windows; " +
                           std::to_string(nodes.internalNodes) +
                           " internal nodes built where the cluster count gives " +
                           std::to_string(count.internalNodes));
  }
  console.line("Internal Nodes = ", nodes.internalNodes);
  console.line("Boundary Nodes = ", nodes.boundaryNodes);
  console.line("Total Nodes = ", nodes.totalNodes());
  realization.lap(Phase::Nodes);
  return result;
}

}  // namespace fracflow::app
