#include "grid/fracture_continuum.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

#include "grid/literal_grid.hpp"
#include "io/error.hpp"
#include "support/same_bits.hpp"

namespace fracflow::grid {
namespace {

GridGeometry makeGrid(int cellx, int celly, double domainL, double domainW) {
  return {cellx, celly, domainL / cellx, domainW / celly, domainL, domainW};
}

// Distinct face heads so that each rule shows in the result.
const FaceHeads kHeads{90.0, 30.0, 10.0, 30.0, 70.0, 10.0, 70.0, 90.0};

CellTable mapQuietly(const GridGeometry& g, const SegmentTable& segments,
                     std::string* consoleText = nullptr) {
  std::ostringstream out;
  CellTable table;
  {
    io::TextStream console(out);
    table = mapFractureContinuum(g, kHeads, segments, console);
  }
  if (consoleText) *consoleText = out.str();
  return table;
}

TEST(FractureContinuum, DiagonalOnThreeByThreeGrid) {
  const GridGeometry g = makeGrid(3, 3, 3.0, 3.0);
  std::string console;
  const CellTable t = mapQuietly(g, {{1.0, 0.0, 0.0, 2.0, 2.0}}, &console);
  EXPECT_EQ(console, "Boundary Cell = 6   Internal Cells = 1   Total Cells = 7\n");
  ASSERT_EQ(t.boundaryCells, 6);
  ASSERT_EQ(t.internalCells, 1);
  ASSERT_EQ(t.cells.size(), 7u);
  struct Expected {
    double cx, cy, head;
  };
  // Records in the order (0,0), (0,1), (1,0), (1,2), (2,1), (2,2), then (1,1); heads by the
  // rules bottom, left, bottom, top, right, top:
  const Expected expected[] = {
      {0.5, 0.5, (10.0 - 70.0) * (0.5 / 3.0) + 70.0},  // bottom face at x = 0.5
      {0.5, 1.5, (90.0 - 70.0) * (1.5 / 3.0) + 70.0},  // left face at y = 1.5
      {1.5, 0.5, (10.0 - 70.0) * (1.5 / 3.0) + 70.0},  // bottom face at x = 1.5
      {1.5, 2.5, (30.0 - 90.0) * (1.5 / 3.0) + 90.0},  // top face at x = 1.5
      {2.5, 1.5, (30.0 - 10.0) * (1.5 / 3.0) + 10.0},  // right face at y = 1.5
      {2.5, 2.5, (30.0 - 90.0) * (2.5 / 3.0) + 90.0},  // corner: top face at x = 2.5
      {1.5, 1.5, 0.0},                                 // internal
  };
  for (std::size_t r = 0; r < 7; ++r) {
    SCOPED_TRACE("record " + std::to_string(r));
    EXPECT_EQ(t.cells[r].center[0], expected[r].cx);
    EXPECT_EQ(t.cells[r].center[1], expected[r].cy);
    EXPECT_EQ(t.cells[r].head, expected[r].head);
  }
  // The internal cell is crossed through its four edges; the corner (2, 2) through its
  // bottom and left edges only. Each crossing by the 45-degree segment of length 2·sqrt(2)
  // (at least 2·dy) passes through: f = 2·(2 / L) = sqrt(2) up to rounding.
  const Cell& internal = t.cells[6];
  for (int f = 0; f < 4; ++f) {
    EXPECT_NEAR(internal.faceK[f], std::sqrt(2.0), 1e-15);
    EXPECT_EQ(internal.kSum[f], 1.0);
  }
  const Cell& corner = t.cells[5];
  EXPECT_EQ(corner.kSum[kTop], 0.0);
  EXPECT_EQ(corner.kSum[kRight], 0.0);
  EXPECT_EQ(corner.kSum[kBottom], 1.0);
  EXPECT_EQ(corner.kSum[kLeft], 1.0);
}

TEST(FractureContinuum, NoSegmentsNoCells) {
  std::string console;
  const CellTable t = mapQuietly(makeGrid(4, 4, 1.0, 1.0), {}, &console);
  EXPECT_EQ(console, "Boundary Cell = 0   Internal Cells = 0   Total Cells = 0\n");
  EXPECT_TRUE(t.cells.empty());
}

TEST(FractureContinuum, CornerCellsTakeTheTopAndBottomFaceHeads) {
  const GridGeometry g = makeGrid(4, 4, 4.0, 4.0);
  // Short crossings into the top-left and bottom-right corner cells only.
  const CellTable t = mapQuietly(g, {{1.0, 0.5, 3.5, 1.5, 3.5}, {1.0, 3.5, 0.5, 2.5, 0.5}});
  ASSERT_EQ(t.boundaryCells, 4);
  EXPECT_EQ(t.cells[0].head, 90.0 + (30.0 - 90.0) * (0.5 / 4.0));  // (0, 3): top face
  EXPECT_EQ(t.cells[3].head, (10.0 - 70.0) * (3.5 / 4.0) + 70.0);  // (3, 0): bottom face
}

TEST(FractureContinuum, NarrowGridsHaveNoInternalCells) {
  std::mt19937 rng(5);
  for (const GridGeometry& g : {makeGrid(2, 6, 2.0, 6.0), makeGrid(7, 1, 7.0, 1.0)}) {
    const CellTable t = mapQuietly(g, literal::randomNetwork(g, 40, rng));
    EXPECT_EQ(t.internalCells, 0);
    EXPECT_GT(t.boundaryCells, 0);
  }
}

TEST(FractureContinuum, GridTooLargeToNumberIsAnInputError) {
  std::ostringstream out;
  io::TextStream console(out);
  try {
    mapFractureContinuum(makeGrid(50000, 50000, 1.0, 1.0), kHeads, {}, console);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.kind(), ErrorKind::Input);
    EXPECT_STREQ(error.what(),
                 "cellx x celly = 50000 x 50000: the grid has too many cells to be mapped");
  }
}

TEST(FractureContinuum, SameCellsAsTheLiteralCountAndPasses) {
  const GridGeometry grids[] = {makeGrid(10, 10, 100.0, 100.0), makeGrid(30, 30, 100.0, 100.0),
                                makeGrid(16, 8, 4.0, 2.0),      makeGrid(7, 3, 200.0, 100.0),
                                makeGrid(3, 3, 30.0, 30.0),     makeGrid(1, 1, 5.0, 5.0)};
  std::mt19937 rng(3);
  for (const GridGeometry& g : grids) {
    SCOPED_TRACE(std::to_string(g.cellx) + " x " + std::to_string(g.celly));
    const SegmentTable segments = literal::randomNetwork(g, 250, rng);
    const CellTable expected = literal::literalCellTable(g, kHeads, segments);
    const CellTable actual = mapQuietly(g, segments);
    ASSERT_EQ(actual.boundaryCells, expected.boundaryCells);
    ASSERT_EQ(actual.internalCells, expected.internalCells);
    ASSERT_SAME_BITS(actual.cells, expected.cells);
  }
}

}  // namespace
}  // namespace fracflow::grid
