#include "grid/face_flows.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

#include "grid/cell_heads.hpp"
#include "grid/flow_system.hpp"
#include "grid/fracture_continuum.hpp"
#include "grid/literal_grid.hpp"
#include "support/same_bits.hpp"

namespace fracflow::grid {
namespace {

GridGeometry makeGrid(int cellx, int celly, double domainL, double domainW) {
  return {cellx, celly, domainL / cellx, domainW / celly, domainL, domainW};
}

// Heads falling from the left face (10 .. 9) to the right face (1 .. 2), the top and bottom
// faces linear between them.
const FaceHeads kHeads{9.0, 2.0, 1.0, 2.0, 10.0, 1.0, 10.0, 9.0};

// The mapped and solved continuum of a network.
CellTable solvedContinuum(const GridGeometry& g, const SegmentTable& segments) {
  std::ostringstream quiet;
  io::TextStream console(quiet);
  CellTable t = mapFractureContinuum(g, kHeads, segments, console);
  const CellIndex index(t.cells, g.cellx, g.celly, g.cellSizeX, g.cellSizeY);
  RunOptions options;
  options.maxit = 20000;
  options.tol = 1e-12;
  EXPECT_TRUE(solveHeads(assembleFlowSystem(t, g, index), t, options, console).converged);
  return t;
}

FaceFlows indexedFaceFlows(const CellTable& t, const GridGeometry& g) {
  const CellIndex index(t.cells, g.cellx, g.celly, g.cellSizeX, g.cellSizeY);
  return computeFaceFlows(t, g, index);
}

void expectSameBits(const FaceFlows& a, const FaceFlows& b) {
  EXPECT_SAME_BITS(a.top, b.top);
  EXPECT_SAME_BITS(a.right, b.right);
  EXPECT_SAME_BITS(a.bottom, b.bottom);
  EXPECT_SAME_BITS(a.left, b.left);
}

TEST(FaceFlows, StraightChannelFromLeftToRight) {
  const GridGeometry g = makeGrid(10, 10, 100.0, 100.0);
  const CellTable t = solvedContinuum(g, {{1.0, 0.0, 55.0, 100.0, 55.0}});
  ASSERT_EQ(t.totalCells(), 10);
  const FaceFlows q = indexedFaceFlows(t, g);
  // Ten cells in series, faceK 1 everywhere, conductance 0.001 per pair: the head drop
  // from the left cell (10 + (9 - 10)·0.55) to the right cell (1 + (2 - 1)·0.55) over nine
  // pairs.
  const double drop = (10.0 - 0.55) - (1.0 + 0.55);
  EXPECT_NEAR(q.left, -0.001 * drop / 9.0, 1e-12);
  EXPECT_NEAR(q.right, -q.left, 1e-12);
  EXPECT_EQ(q.top, 0.0);
  EXPECT_EQ(q.bottom, 0.0);
  EXPECT_NEAR(q.global(), std::abs(q.right), 1e-12);
}

// With a cell size that is not a binary fraction (100 m on 30 cells) shifted centres differ
// from the neighbours' centres in the last bit: exact equality loses couplings the solved
// system has, the relative window keeps them and the face flows balance.
TEST(FaceFlows, BalanceOnThirtyByThirtyCellsOfAHundredMetres) {
  const GridGeometry g = makeGrid(30, 30, 100.0, 100.0);
  std::mt19937 rng(29);
  const CellTable t = solvedContinuum(g, literal::randomNetwork(g, 400, rng));
  const FaceFlows q = indexedFaceFlows(t, g);
  ASSERT_GT(q.global(), 0.0);
  EXPECT_LT(std::abs(q.top + q.right + q.bottom + q.left), 1e-8 * q.global());
  expectSameBits(q, literal::literalFaceFlows(t, g, false));

  const FaceFlows exact = literal::literalFaceFlows(t, g, true);
  EXPECT_GT(std::abs(exact.top + exact.right + exact.bottom + exact.left), 1e-3 * q.global());
}

// For binary-fraction cell sizes the window finds exactly the cells exact equality finds.
TEST(FaceFlows, SameAsExactEqualityForBinaryCellSizes) {
  const GridGeometry grids[] = {makeGrid(16, 16, 64.0, 64.0), makeGrid(8, 16, 2.0, 2.0),
                                makeGrid(10, 5, 80.0, 40.0)};
  std::mt19937 rng(31);
  for (const GridGeometry& g : grids) {
    SCOPED_TRACE(std::to_string(g.cellx) + " x " + std::to_string(g.celly));
    const CellTable t = solvedContinuum(g, literal::randomNetwork(g, 150, rng));
    expectSameBits(indexedFaceFlows(t, g), literal::literalFaceFlows(t, g, true));
  }
}

// Far from the origin the window spans several cells; every match counts, in array order.
TEST(FaceFlows, WindowsSpanningSeveralCellsMatchTheScan) {
  const GridGeometry g{3, 30000, 1.0, 1.0, 3.0, 30000.0};
  std::mt19937 rng(37);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  CellTable t;
  for (int group = 0; group < 2; ++group) {
    for (int i = 0; i < 3; ++i) {
      for (int j = 29980; j < 30000; ++j) {
        const bool boundary = i != 1 || j == 29999;
        if (boundary != (group == 0) || unit(rng) < 0.2) continue;
        Cell c;
        c.center[0] = i + 0.5;
        c.center[1] = j + 0.5;
        for (double& k : c.faceK) k = unit(rng) < 0.2 ? 0.0 : unit(rng);
        c.head = 10.0 * unit(rng);
        t.cells.push_back(c);
        ++(boundary ? t.boundaryCells : t.internalCells);
      }
    }
  }
  expectSameBits(indexedFaceFlows(t, g), literal::literalFaceFlows(t, g, false));
}

}  // namespace
}  // namespace fracflow::grid
