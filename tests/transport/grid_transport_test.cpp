#include "transport/grid_transport.hpp"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

#include "io/output_file.hpp"
#include "literal_walks.hpp"
#include "random_networks.hpp"
#include "transport/breakthrough_curve.hpp"
#include "transport/network_transport.hpp"
#include "transport_test_support.hpp"

namespace fracflow::transport {
namespace {

class GridTransport : public testing::InTempDirectory {
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
  runGridTransport(o, table, random, console, 12);
  console.flush();
  EXPECT_EQ(random.state(), 714651u);
  EXPECT_EQ(consoleText_.str(),
            "There aren't any active cells within the specified boundary of initial input\n"
            "There are 0 active cells within the specified boundary of initial input\n");
  EXPECT_EQ(
      testing::readFile("Grd_bcrv.0012.txt"),
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
  {
    io::OutputFile flow("DFN_flow.0002.txt");
    io::TextStream console(consoleText_);
    runNetworkTransport(o, backbone, NodeTable{}, flow, random, console, 2);
    runGridTransport(o, table, random, console, 2);
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
  for (int p = 0; p < o.totalparticles; ++p) {
    const ParticleStop stop = grid.track(literalStream);
    if (stop.end == WalkEnd::Arrived && stop.hasFace) {
      curve.recordArrival(stop.face, stop.t);
      ++counted;
    }
  }
  EXPECT_GT(counted, 0);
  writeBreakthroughCurve(curve, "expected.txt");
  EXPECT_EQ(testing::readFile("Grd_bcrv.0002.txt"), testing::readFile("expected.txt"));
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
