// The network transport step of a realization.
#include "transport/network_transport.hpp"

#include "transport/breakthrough_curve.hpp"
#include "transport/last_location_file.hpp"
#include "transport/network_injection.hpp"
#include "transport/network_walk.hpp"

namespace fracflow::transport {

ParticleWalks trackNetworkParticles(const RunOptions& options, const Backbone& backbone,
                                    random::RandomStream& random, io::TextStream& console,
                                    const std::filesystem::path& lastLocationsPath,
                                    const std::filesystem::path& curvePath, bool keepStops) {
  const NetworkInjectionTable table = buildNetworkInjectionTable(options, backbone);
  ParticleWalks walks;
  walks.injectionCount = table.count();
  if (table.count() == 0) {
    console.line("There aren't any nodes within the specified boundary of initial input");
  }
  console.line("There are ", table.count(),
               " nodal segments within the specified boundary of initial input");

  BreakthroughCurve curve(options.bcsize, options.bcstep);
  LastLocationFile lastLocation(lastLocationsPath);
  // Without an injection segment a walk has no start: no particle is tracked.
  if (table.count() > 0) {
    NetworkWalk walk(options, backbone, table);
    for (int particle = 0; particle < options.totalparticles; ++particle) {
      const ParticleStop stop = walk.trackParticle(random);
      lastLocation.writeStart(stop.startX, stop.startY);
      if (stop.end == WalkEnd::Arrived) curve.recordArrival(stop.face, stop.t);
      lastLocation.writeStop(stop.x, stop.y, stop.t);
      if (keepStops) walks.stops.push_back(stop);
    }
  }
  writeBreakthroughCurve(curve, curvePath);
  lastLocation.close();
  return walks;
}

}  // namespace fracflow::transport
