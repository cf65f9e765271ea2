#include "transport/grid_transport.hpp"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

#include "literal_walks.hpp"
#include "random_networks.hpp"
#include "transport/breakthrough_curve.hpp"
#include "transport/network_transport.hpp"
#include "transport_test_support.hpp"

namespace fracflow::transport {
namespace {

class GridTransport : public testing::InTempFolder {
 protected:
  std::ostringstream consoleText_;
};

TEST_F(GridTransport, WithoutAnInjectionCellNothingIsTrackedOrDrawn) {
  RunOptions o = testing::transportOptions(10.0, 10.0, 5, 5);
  o.bcsize = 2;
  o.bcstep = 100;
  o.scellx = o.ecellx = 2;  // a window one line wide holds no cell
  std::mt19937_64 gen(1);
  const CellTable table = testing::randomCells(gen, o);
  random::RandomStream random(714651);
  io::TextStream console(consoleText_);
  const ParticleWalks walks =
      trackGridParticles(o, table, random, console, path("Grd_bcrv.0012.txt"), true);
  console.flush();
  EXPECT_EQ(random.state(), 714651u);
  EXPECT_EQ(walks.injectionCount, 0);
  EXPECT_TRUE(walks.stops.empty());
  EXPECT_EQ(consoleText_.str(),
            "There aren't any active cells within the specified boundary of initial input\n"
            "There are 0 active cells within the specified boundary of initial input\n");
  EXPECT_EQ(
      testing::readFile(path("Grd_bcrv.0012.txt")),
      "    50.0            0            0            0            0            0            0\n"
      "   150.0            0            0            0            0            0            0\n");
}

TEST_F(GridTransport, ContinuesTheStreamWhereTheNetworkWalkLeftIt) {
  RunOptions o = testing::transportOptions(100.0, 70.0, 20, 14);
  o.scellx = 2, o.ecellx = 6;
  o.totalparticles = 150;
  o.bcsize = 20;
  o.bcstep = 300;
  std::mt19937_64 gen(4);
  const Backbone backbone = testing::randomBackbone(gen, o, 8);
  const CellTable table = testing::randomCells(gen, o);

  random::RandomStream random(random::realizationSeed(2));
  ParticleWalks walks;
  {
    io::TextStream console(consoleText_);
    trackNetworkParticles(o, backbone, random, console, path("Particles_last_location.0002.txt"),
                          path("DFN_bcrv.0002.txt"), false);
    walks = trackGridParticles(o, table, random, console, path("Grd_bcrv.0002.txt"), true);
  }

  // The same realization walked the literal way on one stream: network first, then grid.
  random::RandomStream literalStream(random::realizationSeed(2));
  literal::NetworkWalk network(o, backbone);
  ASSERT_GT(network.count(), 0);
  for (int p = 0; p < o.totalparticles; ++p) network.track(literalStream);
  literal::GridWalk grid(o, table.cells);
  ASSERT_GT(grid.count(), 0);
  BreakthroughCurve curve(o.bcsize, o.bcstep);
  int counted = 0;
  ASSERT_EQ(walks.stops.size(), static_cast<std::size_t>(o.totalparticles));
  for (int p = 0; p < o.totalparticles; ++p) {
    const ParticleStop stop = grid.track(literalStream);
    testing::expectSameStop(walks.stops[static_cast<std::size_t>(p)], stop);
    if (stop.end == WalkEnd::Arrived && stop.hasFace) {
      curve.recordArrival(stop.face, stop.t);
      ++counted;
    }
  }
  EXPECT_GT(counted, 0);
  writeBreakthroughCurve(curve, path("expected.txt"));
  EXPECT_EQ(testing::readFile(path("Grd_bcrv.0002.txt")), testing::readFile(path("expected.txt")));
  EXPECT_EQ(random.state(), literalStream.state());
  const std::string console = consoleText_.str();
  EXPECT_NE(console.find("nodal segments within the specified boundary of initial input\n"
                         "There are " +
                         std::to_string(grid.count()) +
                         " active cells within the specified boundary of initial input\n"),
            std::string::npos);
}

}  // namespace
}  // namespace fracflow::transport
