// Fuzz target: a network data file through the network phases of a realization (reader with
// clipping, boundary-to-boundary order, segments, tiny-segment pass, nodes). Every phase
// keeps the pieces finite and inside the domain, and the node table holds each end point on
// a face as one boundary node and only interior points as internal nodes.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "fuzz_input.hpp"
#include "io/check.hpp"
#include "network/boundary_fractures.hpp"
#include "network/fracture_input.hpp"
#include "network/nodes.hpp"
#include "network/point_index.hpp"
#include "network/segments.hpp"
#include "network/tiny_segments.hpp"

namespace {

bool inside(double x, double y, double L, double W) {
  return 0.0 <= x && x <= L && 0.0 <= y && y <= W;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fracflow::fuzz::NetworkInput in = fracflow::fuzz::networkInput(data, size);
  const double L = in.domainL;
  const double W = in.domainW;
  fracflow::network::FractureReading reading =
      fracflow::network::readFractures(in.text, "Network_data.0001.txt", in.meetFracs, L, W);
  if (reading.error) return 0;

  fracflow::FractureTable fractures = std::move(reading.fractures);
  const std::size_t fractureCount = fractures.size();
  const int boundaryCount = fracflow::network::moveBoundaryFracturesToFront(fractures, L, W);
  FRACFLOW_CHECK(boundaryCount >= 0 && static_cast<std::size_t>(boundaryCount) <= fractureCount);
  for (std::size_t i = 0; i < fractures.size(); ++i) {
    const bool joins = fracflow::network::joinsTwoFaces(fractures[i], L, W);
    FRACFLOW_CHECK(joins == (i < static_cast<std::size_t>(boundaryCount)));
  }

  fracflow::SegmentTable segments = fracflow::network::buildSegments(std::move(fractures));
  FRACFLOW_CHECK(segments.size() == fractureCount);
  const fracflow::network::TinySegmentPass pass =
      fracflow::network::removeTinySegments(segments, L);
  FRACFLOW_CHECK(pass.absentFracs >= 0 && pass.absentFracs <= pass.tinyFracs);
  for (const fracflow::Segment& s : segments) {
    FRACFLOW_CHECK(std::isfinite(s.perm) && s.perm >= 0.0);
    FRACFLOW_CHECK(inside(s.x1, s.y1, L, W) && inside(s.x2, s.y2, L, W));
  }
  if (pass.tooTiny) {
    FRACFLOW_CHECK(*pass.tooTiny >= 0 && static_cast<std::size_t>(*pass.tooTiny) < fractureCount);
    return 0;  // the run ends here
  }
  FRACFLOW_CHECK(segments.size() == fractureCount - static_cast<std::size_t>(pass.absentFracs));
  const double density = fracflow::network::segmentDensity(segments, L, W);
  FRACFLOW_CHECK(std::isfinite(density) && density >= 0.0);

  fracflow::RunOptions options;
  options.domainL = L;
  options.domainW = W;
  options.tf1 = 100.0;
  options.bf1 = 100.0;
  options.lf1 = 100.0;
  options.lf2 = 100.0;
  const fracflow::network::DistinctPoints endPoints(fracflow::network::segmentEndPoints(segments));
  const fracflow::NodeTable nodes = fracflow::network::buildNodes(endPoints, options);
  const fracflow::network::NodeCount count = fracflow::network::countNodes(endPoints, L, W);
  FRACFLOW_CHECK(nodes.boundaryNodes + nodes.internalNodes == static_cast<int>(nodes.nodes.size()));
  FRACFLOW_CHECK(nodes.boundaryNodes == count.boundaryNodes);
  FRACFLOW_CHECK(nodes.nodes.size() <= 2 * segments.size());
  for (std::size_t i = 0; i < nodes.nodes.size(); ++i) {
    const fracflow::Node& n = nodes.nodes[i];
    FRACFLOW_CHECK(std::isfinite(n.head));
    if (i < static_cast<std::size_t>(nodes.boundaryNodes)) {
      FRACFLOW_CHECK(inside(n.x, n.y, L, W) && (n.x == 0.0 || n.x == L || n.y == 0.0 || n.y == W));
    } else {
      FRACFLOW_CHECK(0.0 < n.x && n.x < L && 0.0 < n.y && n.y < W);
    }
  }
  return 0;
}
