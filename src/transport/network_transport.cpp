// The network transport step of a realization.
#include "transport/network_transport.hpp"

#include <cstddef>

#include "io/file_names.hpp"
#include "transport/breakthrough_curve.hpp"
#include "transport/last_location_file.hpp"
#include "transport/network_injection.hpp"
#include "transport/network_walk.hpp"

namespace fracflow::transport {

std::vector<ParticleStop> runNetworkTransport(const RunOptions& options, const Backbone& backbone,
                                              const NodeTable& nodeCounts,
                                              io::OutputFile& dfnFlowFile,
                                              random::RandomStream& random, io::TextStream& console,
                                              int realizationNumber) {
  const NetworkInjectionTable table = buildNetworkInjectionTable(options, backbone);

  dfnFlowFile.line("Transp = ", table.count());
  dfnFlowFile.line("Internal Nodes = ", nodeCounts.internalNodes);
  dfnFlowFile.line("Boundary Nodes = ", nodeCounts.boundaryNodes);
  dfnFlowFile.line("Total Nodes = ", nodeCounts.totalNodes());
  dfnFlowFile.close();
  if (table.count() == 0) {
    console.line("There aren't any nodes within the specified boundary of initial input");
  }
  console.line("There are ", table.count(),
               " nodal segments within the specified boundary of initial input");

  BreakthroughCurve curve(options.bcsize, options.bcstep);
  LastLocationFile lastLocation(
      io::realizationFileName("Particles_last_location.", realizationNumber));
  std::vector<ParticleStop> stops;
  // Without an injection segment a walk has no start: no particle is tracked.
  if (table.count() > 0) {
    NetworkWalk walk(options, backbone, table);
    stops.reserve(static_cast<std::size_t>(options.totalparticles));
    for (int particle = 0; particle < options.totalparticles; ++particle) {
      const ParticleStop stop = walk.trackParticle(random);
      lastLocation.writeStart(stop.startX, stop.startY);
      if (stop.end == WalkEnd::Arrived) curve.recordArrival(stop.face, stop.t);
      lastLocation.writeStop(stop.x, stop.y, stop.t);
      stops.push_back(stop);
    }
  }
  writeBreakthroughCurve(curve, io::realizationFileName("DFN_bcrv.", realizationNumber));
  lastLocation.close();
  return stops;
}

}  // namespace fracflow::transport
