// The grid transport step of a realization.
#include "transport/grid_transport.hpp"

#include "grid/cell_index.hpp"
#include "transport/breakthrough_curve.hpp"
#include "transport/grid_injection.hpp"
#include "transport/grid_walk.hpp"

namespace fracflow::transport {

ParticleWalks trackGridParticles(const RunOptions& options, const CellTable& table,
                                 random::RandomStream& random, io::TextStream& console,
                                 const std::filesystem::path& curvePath, bool keepStops) {
  const grid::CellIndex index(table.cells, options.cellx, options.celly, options.cellSizeX,
                              options.cellSizeY);
  const GridInjectionTable injection = buildGridInjectionTable(options, table, index);
  ParticleWalks walks;
  walks.injectionCount = injection.count();
  if (injection.count() == 0) {
    console.line("There aren't any active cells within the specified boundary of initial input");
  }
  console.line("There are ", injection.count(),
               " active cells within the specified boundary of initial input");

  BreakthroughCurve curve(options.bcsize, options.bcstep);
  // Without an injection cell a walk has no start: no particle is tracked.
  if (injection.count() > 0) {
    GridWalk walk(options, table, index, injection);
    for (int particle = 0; particle < options.totalparticles; ++particle) {
      const ParticleStop stop = walk.trackParticle(random);
      if (stop.end == WalkEnd::Arrived && stop.hasFace) curve.recordArrival(stop.face, stop.t);
      if (keepStops) walks.stops.push_back(stop);
    }
  }
  writeBreakthroughCurve(curve, curvePath);
  return walks;
}

}  // namespace fracflow::transport
