#include "grid/flow_system.hpp"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "grid/cell_heads.hpp"
#include "grid/fracture_continuum.hpp"
#include "grid/literal_grid.hpp"
#include "solvers/bicg.hpp"
#include "support/same_bits.hpp"

namespace fracflow::grid {
namespace {

GridGeometry makeGrid(int cellx, int celly, double domainL, double domainW) {
  return {cellx, celly, domainL / cellx, domainW / celly, domainL, domainW};
}

Cell cellAt(double x, double y, double faceK, double head = 0.0) {
  Cell c;
  c.center[0] = x;
  c.center[1] = y;
  for (double& k : c.faceK) k = faceK;
  c.head = head;
  return c;
}

// The CSR matrix expanded to a dense one, for entry-by-entry comparison.
solvers::DenseMatrix expand(const solvers::CsrMatrix& a) {
  solvers::DenseMatrix dense(a.n);
  for (int i = 0; i < a.n; ++i) {
    for (std::size_t e = a.rowStart[static_cast<std::size_t>(i)];
         e < a.rowStart[static_cast<std::size_t>(i) + 1]; ++e) {
      dense.at(i, a.column[e]) = a.value[e];
    }
  }
  return dense;
}

solvers::LinearSystem assemble(const CellTable& t, const GridGeometry& g) {
  const CellIndex index(t.cells, g.cellx, g.celly, g.cellSizeX, g.cellSizeY);
  return assembleFlowSystem(t, g, index);
}

void expectSameAsDense(const solvers::LinearSystem& actual, const literal::DenseSystem& expected) {
  ASSERT_EQ(actual.A.n, expected.matrix.n);
  const solvers::DenseMatrix dense = expand(actual.A);
  for (std::size_t e = 0; e < dense.a.size(); ++e) {
    ASSERT_SAME_BITS(dense.a[e], expected.matrix.a[e])
        << "entry " << e / static_cast<std::size_t>(dense.n) << ","
        << e % static_cast<std::size_t>(dense.n);
  }
  for (std::size_t r = 0; r < expected.rhs.size(); ++r) {
    ASSERT_SAME_BITS(actual.b[r], expected.rhs[r]) << "rhs " << r;
  }
  for (int i = 0; i < actual.A.n; ++i) {
    const auto begin = actual.A.rowStart[static_cast<std::size_t>(i)];
    const auto end = actual.A.rowStart[static_cast<std::size_t>(i) + 1];
    for (auto e = begin; e + 1 < end; ++e) {
      ASSERT_LT(actual.A.column[e], actual.A.column[e + 1]) << "row " << i;
    }
  }
}

TEST(GridFlowSystem, InternalCellBetweenFourBoundaryCells) {
  // 3 x 3 unit cells; the centre cell with its four side neighbours, every faceK 2: each
  // pair has G = 2·2·2 / 4 = 2 and conductance 2 × 1 × 0.01 = 0.02.
  const GridGeometry g = makeGrid(3, 3, 3.0, 3.0);
  CellTable t;
  t.cells = {cellAt(0.5, 1.5, 2.0, 10.0), cellAt(1.5, 0.5, 2.0, 20.0), cellAt(1.5, 2.5, 2.0, 30.0),
             cellAt(2.5, 1.5, 2.0, 60.0), cellAt(1.5, 1.5, 2.0)};
  t.boundaryCells = 4;
  t.internalCells = 1;
  const solvers::LinearSystem s = assemble(t, g);
  ASSERT_EQ(s.A.n, 1);
  ASSERT_EQ(s.A.value.size(), 1u);
  EXPECT_DOUBLE_EQ(s.A.value[0], -0.08);
  EXPECT_DOUBLE_EQ(s.b[0], -0.02 * (10.0 + 20.0 + 30.0 + 60.0));
  // Solved, the cell takes the mean of the four heads.
  std::ostringstream out;
  {
    io::TextStream console(out);
    const CellIndex index(t.cells, g.cellx, g.celly, g.cellSizeX, g.cellSizeY);
    RunOptions options;
    options.maxit = 100;
    options.tol = 1e-9;
    ASSERT_TRUE(solveHeads(assembleFlowSystem(t, g, index), t, options, console).converged);
  }
  EXPECT_EQ(out.str(), "BiCg converged after 1 iterations\n");
  EXPECT_DOUBLE_EQ(t.cells[4].head, 30.0);
  EXPECT_EQ(t.cells[0].head, 10.0);
}

TEST(GridFlowSystem, UncoupledPairsAddNothing) {
  const GridGeometry g = makeGrid(4, 3, 4.0, 3.0);
  CellTable t;
  // Two internal cells side by side whose facing faceK values are both 0, and a boundary
  // cell below the first that is too far off (2e-4 relative) to be its neighbour.
  Cell left = cellAt(1.5, 1.5, 1.0);
  Cell right = cellAt(2.5, 1.5, 1.0);
  left.faceK[kRight] = 0.0;
  right.faceK[kLeft] = 0.0;
  t.cells = {cellAt(1.5, 0.5 * 1.0002, 1.0, 5.0), left, right};
  t.boundaryCells = 1;
  t.internalCells = 2;
  const solvers::LinearSystem s = assemble(t, g);
  ASSERT_EQ(s.A.n, 2);
  // Only the diagonals, both 0: no coupling of any kind.
  EXPECT_EQ(s.A.column, (std::vector<int>{0, 1}));
  EXPECT_EQ(s.A.value, (std::vector<double>{0.0, 0.0}));
  EXPECT_EQ(s.b, (std::vector<double>{0.0, 0.0}));

  // Within the window (0.5e-4 relative) the boundary cell couples.
  t.cells[0].center[1] = 0.5 * 1.00005;
  const solvers::LinearSystem near = assemble(t, g);
  EXPECT_DOUBLE_EQ(near.b[0], -0.01 * 5.0);
  EXPECT_DOUBLE_EQ(near.A.value[0], -0.01);
}

TEST(GridFlowSystem, SameAsTheDenseAssemblyOnRandomNetworks) {
  const GridGeometry grids[] = {makeGrid(10, 10, 100.0, 100.0), makeGrid(30, 30, 100.0, 100.0),
                                makeGrid(16, 8, 4.0, 2.0), makeGrid(12, 5, 200.0, 100.0)};
  std::mt19937 rng(17);
  const FaceHeads heads{1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0};
  for (const GridGeometry& g : grids) {
    SCOPED_TRACE(std::to_string(g.cellx) + " x " + std::to_string(g.celly));
    std::ostringstream quiet;
    io::TextStream console(quiet);
    const CellTable t =
        mapFractureContinuum(g, heads, literal::randomNetwork(g, 200, rng), console);
    ASSERT_GT(t.internalCells, 0);
    expectSameAsDense(assemble(t, g), literal::literalDenseSystem(t, g));
  }
}

// The sparse system solves to the same bits as the literal dense one, with the same lines.
TEST(GridFlowSystem, SparseAndDenseSolvesAgreeBitForBit) {
  const GridGeometry g = makeGrid(30, 30, 100.0, 100.0);
  std::mt19937 rng(41);
  const FaceHeads heads{9.0, 2.0, 1.0, 2.0, 10.0, 1.0, 10.0, 9.0};
  std::ostringstream quiet;
  io::TextStream mapConsole(quiet);
  const CellTable t =
      mapFractureContinuum(g, heads, literal::randomNetwork(g, 300, rng), mapConsole);
  const solvers::LinearSystem sparse = assemble(t, g);
  const literal::DenseSystem dense = literal::literalDenseSystem(t, g);
  const auto solve = [&](const auto& matrix, const std::vector<double>& rhs, std::string& log) {
    std::vector<double> x(rhs.size(), 0.0);
    std::ostringstream out;
    {
      io::TextStream console(out);
      EXPECT_TRUE(solvers::solveBiCG(matrix, rhs, x, 4000, 1e-9, console).converged);
    }
    log = out.str();
    return x;
  };
  std::string sparseLog, denseLog;
  const std::vector<double> xs = solve(sparse.A, sparse.b, sparseLog);
  const std::vector<double> xd = solve(dense.matrix, dense.rhs, denseLog);
  EXPECT_EQ(sparseLog, denseLog);
  EXPECT_NE(sparseLog.find("BiCg converged after "), std::string::npos);
  ASSERT_SAME_BITS(xs, xd);
}

// Far from the origin the 1e-4 window spans several cells: a column of cells at y around
// 15000·dy. Every match counts, in array order, including the cell itself, so entries are
// overwritten and diagonals reset exactly as the dense scan does.
TEST(GridFlowSystem, WindowsSpanningSeveralCellsMatchTheDenseScan) {
  const GridGeometry g{1, 30000, 1.0, 1.0, 1.0, 30000.0};
  std::mt19937 rng(23);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  CellTable t;
  for (int group = 0; group < 2; ++group) {
    for (int j = 14990; j < 15010; ++j) {
      if (unit(rng) < 0.2) continue;
      Cell c = cellAt(0.5, j + 0.5, 0.5 + unit(rng), 10.0 * unit(rng));
      c.faceK[unit(rng) < 0.5 ? kTop : kBottom] = 0.0;
      if (group == 0) {
        ++t.boundaryCells;
      } else {
        c.head = 0.0;
        ++t.internalCells;
      }
      t.cells.push_back(c);
    }
  }
  std::shuffle(t.cells.begin() + t.boundaryCells, t.cells.end(), rng);
  const solvers::LinearSystem s = assemble(t, g);
  expectSameAsDense(s, literal::literalDenseSystem(t, g));
  // A single column couples a cell to at most two others unless windows span several cells.
  std::size_t longestRow = 0;
  for (int i = 0; i < s.A.n; ++i) {
    longestRow = std::max(longestRow, s.A.rowStart[static_cast<std::size_t>(i) + 1] -
                                          s.A.rowStart[static_cast<std::size_t>(i)]);
  }
  EXPECT_GT(longestRow, 3u);
}

}  // namespace
}  // namespace fracflow::grid
