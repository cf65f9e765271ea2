#include "dfn/node_heads.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "dfn/flow_system.hpp"
#include "dfn/literal_network_flow.hpp"
#include "dfn/random_network.hpp"
#include "dfn/start_vector.hpp"
#include "solvers/minres.hpp"
#include "support/same_bits.hpp"

namespace fracflow::dfn {
namespace {

RunOptions solveOptions(double L, double W, int maxit) {
  RunOptions o;
  o.domainL = L;
  o.domainW = W;
  o.tf1 = 3.0, o.tf2 = 2.0, o.rf1 = 0.5, o.rf2 = 2.0;
  o.bf1 = 0.0, o.bf2 = 0.5, o.lf1 = 0.0, o.lf2 = 3.0;
  o.maxit = maxit;
  o.tol = 1e-9;
  return o;
}

// The system of the indexed assembly solved in its sparse form, the plain-scan system in
// the dense form: the same iterates to the bit and the same console lines.
TEST(NodeHeads, SparseSolveOfTheIndexedSystemEqualsDenseSolveOfTheScannedOne) {
  for (const unsigned seed : {21u, 22u, 23u, 24u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const double L = seed % 2 ? 10.0 : 300.0;
    testing::NetworkMaker maker(seed, L, 100.0);
    const testing::RandomNetwork net = maker.make(120, 260);
    const RunOptions options = solveOptions(L, 100.0, 60 + static_cast<int>(seed));
    WellNodes well;
    well.sinkNodes = {net.nodes.boundaryNodes};
    well.sinkCount = 1;
    well.wellFlux = 1e-3;

    const solvers::LinearSystem sparse = assembleFlowSystem(net.segments, net.nodes, well);
    std::vector<double> xSparse = startVector(net.nodes, options);
    std::ostringstream sparseLog;
    io::TextStream sparseConsole(sparseLog);
    const solvers::SolveReport sparseReport = solvers::solveMINRES(
        sparse.A, sparse.b, xSparse, options.maxit, options.tol, sparseConsole);
    sparseConsole.flush();

    const literal::DenseSystem dense = literal::assemble(net.segments, net.nodes, well);
    std::vector<double> xDense = startVector(net.nodes, options);
    std::ostringstream denseLog;
    io::TextStream denseConsole(denseLog);
    const solvers::SolveReport denseReport =
        solvers::solveMINRES(dense.A, dense.b, xDense, options.maxit, options.tol, denseConsole);
    denseConsole.flush();

    EXPECT_EQ(sparseReport.converged, denseReport.converged);
    EXPECT_EQ(sparseReport.iterations, denseReport.iterations);
    EXPECT_SAME_BITS(sparseReport.residual, denseReport.residual);
    EXPECT_EQ(sparseLog.str(), denseLog.str());
    ASSERT_SAME_BITS(xSparse, xDense);
  }
}

// L (0, 5) at head 1, R (10, 5) at head 0 and one internal node M (5, 5) between them.
struct Channel {
  SegmentTable segments{{2.0, 0.0, 5.0, 5.0, 5.0}, {2.0, 5.0, 5.0, 10.0, 5.0}};
  NodeTable nodes{{{1.0, 0.0, 5.0}, {0.0, 10.0, 5.0}, {0.0, 5.0, 5.0}}, 2, 1};
};

TEST(NodeHeads, ConvergedSolveStoresTheHeads) {
  Channel channel;
  const solvers::LinearSystem system =
      assembleFlowSystem(channel.segments, channel.nodes, WellNodes{});
  std::ostringstream log;
  io::TextStream console(log);
  const solvers::SolveReport report =
      solveHeads(system, channel.nodes, solveOptions(10.0, 10.0, 10), console);
  EXPECT_TRUE(report.converged);
  EXPECT_EQ(report.iterations, 2);
  console.flush();
  EXPECT_EQ(log.str(), "MINRES converged after 2 steps\n");
  EXPECT_NEAR(channel.nodes.nodes[2].head, 0.5, 1e-15);
  EXPECT_EQ(channel.nodes.nodes[0].head, 1.0);
}

TEST(NodeHeads, FailedSolveLeavesTheNodesAlone) {
  // Two internal nodes in series need two steps; the limit allows one and tol is 0.
  SegmentTable segments{
      {1.0, 0.0, 5.0, 3.0, 5.0}, {1.0, 3.0, 5.0, 6.0, 5.0}, {1.0, 6.0, 5.0, 10.0, 5.0}};
  NodeTable nodes{{{1.0, 0.0, 5.0}, {0.0, 10.0, 5.0}, {0.0, 3.0, 5.0}, {0.0, 6.0, 5.0}}, 2, 2};
  RunOptions options = solveOptions(10.0, 10.0, 1);
  options.tol = 0.0;
  const solvers::LinearSystem system = assembleFlowSystem(segments, nodes, WellNodes{});
  std::ostringstream log;
  io::TextStream console(log);
  const solvers::SolveReport report = solveHeads(system, nodes, options, console);
  EXPECT_FALSE(report.converged);
  EXPECT_EQ(report.iterations, 2);
  console.flush();
  EXPECT_EQ(log.str().rfind("MINRES completed 2 steps without convergence.", 0), 0u) << log.str();
  EXPECT_EQ(nodes.nodes[2].head, 0.0);
  EXPECT_EQ(nodes.nodes[3].head, 0.0);
}

}  // namespace
}  // namespace fracflow::dfn
