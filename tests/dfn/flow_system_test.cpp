#include "dfn/flow_system.hpp"

#include <gtest/gtest.h>

#include <string>

#include "dfn/literal_network_flow.hpp"
#include "dfn/random_network.hpp"
#include "support/same_bits.hpp"

namespace fracflow::dfn {
namespace {

using fracflow::testing::sameBits;

// Checks the sparse system against the plain scan: the same bits in every entry of A and
// b, entries stored exactly where the scan writes (the diagonal always), columns ascending.
void expectSameAsScan(const SegmentTable& segments, const NodeTable& nodes, const WellNodes& well) {
  const solvers::LinearSystem system = assembleFlowSystem(segments, nodes, well);
  const literal::DenseSystem reference = literal::assemble(segments, nodes, well);
  const int n = nodes.internalNodes;
  ASSERT_EQ(system.A.n, n);
  ASSERT_EQ(system.A.rowStart.size(), static_cast<std::size_t>(n) + 1);
  ASSERT_EQ(system.b.size(), static_cast<std::size_t>(n));
  const solvers::DenseMatrix dense = solvers::toDense(system.A);
  int mismatches = 0;
  for (int i = 0; i < n && mismatches < 5; ++i) {
    if (!sameBits(system.b[static_cast<std::size_t>(i)],
                  reference.b[static_cast<std::size_t>(i)])) {
      ADD_FAILURE() << "b[" << i << "]";
      ++mismatches;
    }
    std::vector<int> stored;
    for (auto k = system.A.rowStart[static_cast<std::size_t>(i)];
         k < system.A.rowStart[static_cast<std::size_t>(i) + 1]; ++k) {
      stored.push_back(system.A.column[k]);
    }
    std::vector<int> expected;
    for (int j = 0; j < n; ++j) {
      if (reference.touched[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)])
        expected.push_back(j);
      if (!sameBits(dense.at(i, j), reference.A.at(i, j))) {
        ADD_FAILURE() << "A[" << i << "][" << j << "] " << dense.at(i, j) << " vs "
                      << reference.A.at(i, j);
        ++mismatches;
      }
    }
    if (stored != expected) {
      ADD_FAILURE() << "stored columns of row " << i;
      ++mismatches;
    }
  }
}

TEST(FlowSystem, MatchesThePlainScanOnRandomNetworks) {
  struct Case {
    unsigned seed;
    int points;
    int segments;
    double L;
    double W;
  };
  const Case cases[] = {
      {1, 30, 60, 10.0, 10.0},   {2, 60, 150, 1.0, 1.0},    {3, 80, 200, 200.0, 100.0},
      {4, 120, 300, 1e-3, 2e-3}, {5, 200, 500, 50.0, 50.0}, {6, 400, 900, 1000.0, 10.0},
      {7, 15, 200, 5.0, 5.0},    {8, 300, 300, 1e4, 1e4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("seed " + std::to_string(c.seed));
    testing::NetworkMaker maker(c.seed, c.L, c.W);
    const testing::RandomNetwork net = maker.make(c.points, c.segments);
    WellNodes well;
    well.wellFlux = 0.25;
    for (int q = net.nodes.boundaryNodes; q < net.nodes.totalNodes(); q += 7)
      well.sinkNodes.push_back(q);
    well.sinkCount = static_cast<int>(well.sinkNodes.size());
    expectSameAsScan(net.segments, net.nodes, well);
  }
}

// A 10 x 10 domain with boundary nodes L (0, 5) at head 1 and R (10, 5) at head 0, then
// internal nodes A (3, 5), B (6, 5), C (5, 8), D (5, 2).
NodeTable crossNodes() {
  NodeTable t;
  t.boundaryNodes = 2;
  t.internalNodes = 4;
  t.nodes = {{1.0, 0.0, 5.0}, {0.0, 10.0, 5.0}, {0.0, 3.0, 5.0},
             {0.0, 6.0, 5.0}, {0.0, 5.0, 8.0},  {0.0, 5.0, 2.0}};
  return t;
}

TEST(FlowSystem, ChainGivesSymmetricRowsAndBoundaryTermsInB) {
  // L -(perm 3, length 3)- A -(perm 6, length 3)- B -(perm 8, length 4)- R:
  // conductances 0.01, 0.02 and 0.02.
  const SegmentTable segments = {
      {3.0, 0.0, 5.0, 3.0, 5.0}, {6.0, 3.0, 5.0, 6.0, 5.0}, {8.0, 6.0, 5.0, 10.0, 5.0}};
  const NodeTable nodes = crossNodes();
  const solvers::LinearSystem system = assembleFlowSystem(segments, nodes, WellNodes{});
  const solvers::DenseMatrix A = solvers::toDense(system.A);
  const double c1 = 0.01 * 3.0 / 3.0;
  const double c2 = 0.01 * 6.0 / 3.0;
  const double c3 = 0.01 * 8.0 / 4.0;
  EXPECT_EQ(A.at(0, 0), -c1 - c2);
  EXPECT_EQ(A.at(0, 1), c2);
  EXPECT_EQ(A.at(1, 0), c2);
  EXPECT_EQ(A.at(1, 1), -c2 - c3);
  EXPECT_EQ(system.b[0], -c1 * 1.0);
  EXPECT_EQ(system.b[1], 0.0);
  // C and D touch nothing: rows of the diagonal alone, which stays 0.
  EXPECT_EQ(system.A.rowStart[3] - system.A.rowStart[2], 1u);
  EXPECT_EQ(A.at(2, 2), 0.0);
  expectSameAsScan(segments, nodes, WellNodes{});
}

TEST(FlowSystem, NodeJoinedOnlyToBoundaryNodesHasOnlyItsDiagonal) {
  const SegmentTable segments = {{1.0, 0.0, 5.0, 3.0, 5.0}, {1.0, 3.0, 5.0, 10.0, 5.0}};
  const solvers::LinearSystem system = assembleFlowSystem(segments, crossNodes(), WellNodes{});
  ASSERT_EQ(system.A.rowStart[1] - system.A.rowStart[0], 1u);
  EXPECT_EQ(system.A.column[0], 0);
  EXPECT_EQ(system.A.value[0], -(0.01 / 3.0) - 0.01 / 7.0);
  EXPECT_EQ(system.b[0], -(0.01 / 3.0) * 1.0 - 0.01 / 7.0 * 0.0);
}

TEST(FlowSystem, TwoSegmentsOnOnePairSumOnTheDiagonalAndTheLaterSetsTheOffDiagonal) {
  // A to B twice (length 3): perm 3 then perm 9, conductances 0.01 and 0.03.
  const SegmentTable segments = {{3.0, 3.0, 5.0, 6.0, 5.0}, {9.0, 6.0, 5.0, 3.0, 5.0}};
  const solvers::LinearSystem system = assembleFlowSystem(segments, crossNodes(), WellNodes{});
  const solvers::DenseMatrix A = solvers::toDense(system.A);
  EXPECT_EQ(A.at(0, 0), -0.01 - 0.03);
  EXPECT_EQ(A.at(1, 1), -0.01 - 0.03);
  EXPECT_EQ(A.at(0, 1), 0.03);
  EXPECT_EQ(A.at(1, 0), 0.03);
}

TEST(FlowSystem, WellFluxStartsTheRightHandSideOfEachWellNode) {
  const SegmentTable segments = {{3.0, 0.0, 5.0, 3.0, 5.0}};
  WellNodes well;
  well.sinkNodes = {2, 4};
  well.sinkCount = 2;
  well.wellFlux = 0.5;
  const solvers::LinearSystem system = assembleFlowSystem(segments, crossNodes(), well);
  EXPECT_EQ(system.b[0], 0.5 - 0.01 * 1.0);
  EXPECT_EQ(system.b[1], 0.0);
  EXPECT_EQ(system.b[2], 0.5);
  EXPECT_EQ(system.b[3], 0.0);
}

TEST(FlowSystem, EndsMatchThroughTheWindowsOnly) {
  // End 1 lies 9e-6 below A: outside the relative window about it, so row A takes no
  // part of the segment, but inside A's widened window with the offset 1e-5 used for a far
  // end 1, so row B (which holds end 2 exactly) sees A.
  const NodeTable nodes = crossNodes();
  const SegmentTable segments = {{3.0, 3.0, 5.0 - 9e-6, 6.0, 5.0}};
  const solvers::LinearSystem system = assembleFlowSystem(segments, nodes, WellNodes{});
  const solvers::DenseMatrix A = solvers::toDense(system.A);
  const double cond = 0.01 * 3.0 / segmentLength(segments[0]);
  EXPECT_EQ(A.at(0, 0), 0.0);
  EXPECT_EQ(A.at(0, 1), 0.0);
  EXPECT_EQ(A.at(1, 0), cond);
  EXPECT_EQ(A.at(1, 1), -cond);
  expectSameAsScan(segments, nodes, WellNodes{});
}

TEST(FlowSystem, NoInternalNodeGivesAnEmptySystem) {
  NodeTable nodes;
  nodes.boundaryNodes = 2;
  nodes.nodes = {{1.0, 0.0, 5.0}, {0.0, 10.0, 5.0}};
  const solvers::LinearSystem system =
      assembleFlowSystem({{1.0, 0.0, 5.0, 10.0, 5.0}}, nodes, WellNodes{});
  EXPECT_EQ(system.A.n, 0);
  EXPECT_EQ(system.A.rowStart, std::vector<std::size_t>{0});
  EXPECT_TRUE(system.b.empty());
}

}  // namespace
}  // namespace fracflow::dfn
