#include "transport/network_transport.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "transport_test_support.hpp"

namespace fracflow::transport {
namespace {

class NetworkTransport : public testing::InTempFolder {
 protected:
  Backbone backbone() const {
    // One injection segment from (0, 50) to (50, 50), 50 time units, then on to the right
    // face in 50 more.
    Backbone b;
    b.segments = {{1000.0, 0.0, 50.0, 50.0, 50.0}, {1000.0, 50.0, 50.0, 100.0, 50.0}};
    b.head1 = {10.0, 5.0};
    b.head2 = {5.0, 0.0};
    return b;
  }
  ParticleWalks run(const RunOptions& o, const Backbone& b, random::RandomStream& random) {
    io::TextStream console(consoleText_);
    return trackNetworkParticles(o, b, random, console, path("Particles_last_location.0003.txt"),
                                 path("DFN_bcrv.0003.txt"), true);
  }
  std::ostringstream consoleText_;
};

TEST_F(NetworkTransport, ReportsTracksAndWritesItsFiles) {
  RunOptions o = testing::transportOptions(100.0, 100.0, 10, 10);
  o.totalparticles = 3;
  o.bcsize = 2;
  o.bcstep = 100;
  random::RandomStream random(714651);
  const ParticleWalks walks = run(o, backbone(), random);
  EXPECT_EQ(walks.injectionCount, 1);
  ASSERT_EQ(walks.stops.size(), 3u);
  EXPECT_EQ(walks.stops[2].end, WalkEnd::Arrived);
  EXPECT_EQ(walks.stops[2].x, 100.0);
  EXPECT_EQ(walks.stops[2].t, 100.0);
  EXPECT_EQ(consoleText_.str(),
            "There are 1 nodal segments within the specified boundary of initial input\n");
  const std::string line =
      "       0.00000              50.00000             100.00000              50.00000"
      "             100.00000\n";
  EXPECT_EQ(testing::readFile(path("Particles_last_location.0003.txt")), line + line + line);
  // t = 100 falls in bin 1, whose centre is 150.
  EXPECT_EQ(
      testing::readFile(path("DFN_bcrv.0003.txt")),
      "    50.0            0            0            0            0            0            0\n"
      "   150.0            0            3            0            0            3            3\n");
  EXPECT_EQ(random.state(), [] {
    random::RandomStream r(714651);
    for (int i = 0; i < 6; ++i) r.uniform();  // per particle: injection and one step
    return r.state();
  }());
}

TEST_F(NetworkTransport, WithoutAnInjectionSegmentNothingIsTrackedOrDrawn) {
  RunOptions o = testing::transportOptions(100.0, 100.0, 10, 10);
  o.scellx = o.ecellx = 3;  // the line x = 20 meets no segment end
  o.bcsize = 2;
  o.bcstep = 100;
  random::RandomStream random(714651);
  const ParticleWalks walks = run(o, backbone(), random);
  EXPECT_EQ(random.state(), 714651u);
  EXPECT_EQ(walks.injectionCount, 0);
  EXPECT_TRUE(walks.stops.empty());
  EXPECT_EQ(consoleText_.str(),
            "There aren't any nodes within the specified boundary of initial input\n"
            "There are 0 nodal segments within the specified boundary of initial input\n");
  EXPECT_TRUE(std::filesystem::exists(path("Particles_last_location.0003.txt")));
  EXPECT_EQ(testing::readFile(path("Particles_last_location.0003.txt")), "");
  EXPECT_EQ(
      testing::readFile(path("DFN_bcrv.0003.txt")),
      "    50.0            0            0            0            0            0            0\n"
      "   150.0            0            0            0            0            0            0\n");
}

TEST_F(NetworkTransport, NoBinsGiveAnEmptyCurveFile) {
  RunOptions o = testing::transportOptions(100.0, 100.0, 10, 10);
  o.bcsize = 0;
  random::RandomStream random(1);
  run(o, backbone(), random);
  EXPECT_EQ(testing::readFile(path("DFN_bcrv.0003.txt")), "");
  // With a cap of 0 every particle times out on its first step, where that step ends.
  const std::string lines = testing::readFile(path("Particles_last_location.0003.txt"));
  EXPECT_EQ(lines.substr(0, lines.find('\n')),
            "       0.00000              50.00000             100.00000              50.00000"
            "             100.00000");
}

}  // namespace
}  // namespace fracflow::transport
