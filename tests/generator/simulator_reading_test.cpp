// Generated networks as the simulator takes them in: every piece is read and kept unchanged,
// none ends the run as too tiny, and the nodes are exactly the distinct end points.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "generator/generator_fixtures.hpp"
#include "generator/network_generation.hpp"
#include "network/boundary_fractures.hpp"
#include "network/fracture_input.hpp"
#include "network/nodes.hpp"
#include "network/segments.hpp"
#include "network/tiny_segments.hpp"

namespace fracflow::generator {
namespace {

TEST(SimulatorReading, KeepsEveryPieceWithNoTooTinySegmentAndOneNodePerPoint) {
  for (const Study& study : studies()) {
    SCOPED_TRACE(study.name);
    const NetworkLaw law = studyLaw(study);
    RunOptions options;
    options.domainL = law.domainL;
    options.domainW = law.domainW;
    for (int k = 1; k <= 2; ++k) {
      SCOPED_TRACE(k);
      const GeneratedNetwork net = generateNetwork(law, 0, k);
      const auto count = static_cast<int>(net.pieces.size());
      network::FractureReading reading = network::readFractures(
          networkText(net.pieces), "Network_data.0001.txt", count, law.domainL, law.domainW);
      ASSERT_FALSE(reading.error.has_value()) << *reading.error;
      EXPECT_EQ(reading.linesRead, count);
      // The midpoint test and the clipping keep every piece as it was written.
      ASSERT_EQ(reading.fractures.size(), net.pieces.size());
      for (std::size_t i = 0; i < net.pieces.size(); ++i) {
        const Fracture& f = reading.fractures[i];
        const Piece& p = net.pieces[i];
        ASSERT_TRUE(f.x1 == p.segment.a.x && f.y1 == p.segment.a.y && f.x2 == p.segment.b.x &&
                    f.y2 == p.segment.b.y && f.perm == p.perm)
            << i;
      }
      network::moveBoundaryFracturesToFront(reading.fractures, law.domainL, law.domainW);
      SegmentTable segments = network::buildSegments(std::move(reading.fractures));
      const network::TinySegmentPass pass = network::removeTinySegments(segments, law.domainL);
      EXPECT_FALSE(pass.tooTiny.has_value());

      // Every interior end point is its own node, and each exact point only one.
      std::set<std::pair<double, double>> interior;
      for (const Segment& s : segments) {
        for (const auto& [x, y] : {std::pair{s.x1, s.y1}, std::pair{s.x2, s.y2}}) {
          if (x > 0 && x < law.domainL && y > 0 && y < law.domainW) interior.insert({x, y});
        }
      }
      const network::NodeCount counted = network::countNodes(segments, law.domainL, law.domainW);
      const NodeTable built = network::buildNodes(segments, options);
      EXPECT_EQ(counted.internalNodes, static_cast<int>(interior.size()));
      EXPECT_EQ(built.internalNodes, static_cast<int>(interior.size()));
      EXPECT_EQ(built.boundaryNodes, counted.boundaryNodes);
    }
  }
}

}  // namespace
}  // namespace fracflow::generator
