#include "solvers/direct_solve.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "solvers/bicg.hpp"
#include "solvers/csr_builder.hpp"
#include "solvers/floating_components.hpp"
#include "solvers/minres.hpp"
#include "solvers/solver_fixtures.hpp"

namespace fracflow::solvers {
namespace {

using testing::capture;
using testing::gridLaplacian;
using testing::randomSystem;
using testing::randomVector;

// A matrix from its rows, each a list of (column, value) set in order.
CsrMatrix fromRows(const std::vector<std::vector<std::pair<int, double>>>& rows) {
  CsrBuilder builder(static_cast<int>(rows.size()));
  for (const auto& row : rows) {
    builder.beginRow();
    for (const auto& [column, value] : row) builder.set(column, value);
    builder.endRow();
  }
  return builder.finish();
}

double maxDifference(const std::vector<double>& a, const std::vector<double>& b) {
  double worst = 0.0;
  for (std::size_t i = 0; i < a.size(); ++i) worst = std::max(worst, std::abs(a[i] - b[i]));
  return worst;
}

double maxMagnitude(const std::vector<double>& a) {
  double worst = 0.0;
  for (double value : a) worst = std::max(worst, std::abs(value));
  return worst;
}

// Network and grid systems: as the flow systems are assembled, plus a boundary on some rows.
TEST(DirectSolve, AgreesWithTheIterativeSolversOnRandomFlowSystems) {
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE(seed);
    const CsrMatrix A = seed % 2 == 0 ? gridLaplacian(9 + static_cast<int>(seed), 7)
                                      : randomSystem({.n = 120,
                                                      .meanDegree = 4.0,
                                                      .storedZeros = 0.1,
                                                      .boundaryShare = 0.3,
                                                      .seed = seed});
    // The random networks hold clusters that reach no boundary: no right-hand side there.
    std::vector<double> b = randomVector(A.n, seed + 100);
    const FloatingComponents floating = findFloatingComponents(A);
    for (std::size_t i = 0; i < b.size(); ++i) {
      if (floating.componentOf[i] >= 0) b[i] = 0.0;
    }
    const std::vector<double> start = randomVector(A.n, seed + 200, 50.0);

    std::vector<double> direct = start;
    const DirectReport report = solveDirect(A, b, direct, {.tol = 1e-9});
    ASSERT_EQ(report.status, DirectStatus::Solved);
    EXPECT_EQ(report.method, DirectMethod::Cholesky);
    EXPECT_EQ(report.unknowns, A.n);
    EXPECT_LT(report.relativeResidual, 1e-12);
    EXPECT_GT(report.factor.factorEntries, 0.0);

    const auto minres = capture(start, [&](std::vector<double>& x, io::TextStream& console) {
      return solveMINRES(A, b, x, 100000, 1e-13, console);
    });
    const auto bicg = capture(std::vector<double>(b.size(), 0.0),
                              [&](std::vector<double>& x, io::TextStream& console) {
                                return solveBiCG(A, b, x, 100000, 1e-13, console);
                              });
    ASSERT_EQ(minres.flag, 0);
    ASSERT_EQ(bicg.flag, 0);
    const double scale = maxMagnitude(direct);
    EXPECT_LT(maxDifference(direct, minres.x), 1e-8 * scale);
    // BiCG starts from zero, as the grid solve does: so do the floating parts here.
    std::vector<double> fromZero(b.size(), 0.0);
    ASSERT_EQ(solveDirect(A, b, fromZero, {.tol = 1e-9}).status, DirectStatus::Solved);
    EXPECT_LT(maxDifference(fromZero, bicg.x), 1e-8 * scale);
  }
}

TEST(DirectSolve, ChoosesTheFactorizationByTheMatrix) {
  struct Case {
    const char* name;
    CsrMatrix A;
    DirectMethod method;
    bool choleskyFailed;
  };
  const Case cases[] = {
      {"negative definite flow matrix", gridLaplacian(4, 3), DirectMethod::Cholesky, false},
      {"positive definite", fromRows({{{0, 4.0}, {1, 1.0}}, {{0, 1.0}, {1, 3.0}}}),
       DirectMethod::Cholesky, false},
      // Symmetric with a negative diagonal, yet indefinite (eigenvalues 1 and -3).
      {"symmetric indefinite", fromRows({{{0, -1.0}, {1, 2.0}}, {{0, 2.0}, {1, -1.0}}}),
       DirectMethod::Lu, true},
      {"diagonal of mixed signs", fromRows({{{0, -2.0}}, {{1, 3.0}}}), DirectMethod::Lu, false},
      {"unsymmetric", randomSystem({.n = 60, .boundaryShare = 0.5, .unsymmetric = true}),
       DirectMethod::Lu, false},
      // Symmetric but for one bit in one entry.
      {"unsymmetric by one bit",
       fromRows({{{0, -2.0}, {1, 1.0}}, {{0, std::nextafter(1.0, 2.0)}, {1, -3.0}}}),
       DirectMethod::Lu, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<double> b = randomVector(c.A.n, 7);
    std::vector<double> x(b.size(), 0.0);
    const DirectReport report = solveDirect(c.A, b, x, {.tol = 1e-10});
    EXPECT_EQ(report.status, DirectStatus::Solved);
    EXPECT_EQ(report.method, c.method);
    EXPECT_EQ(report.choleskyFailed, c.choleskyFailed);
    EXPECT_LT(relativeResidual(c.A, b, x), 1e-10);
  }
}

TEST(DirectSolve, SymmetryIsExact) {
  EXPECT_TRUE(isSymmetric(gridLaplacian(5, 4)));
  // A stored zero facing an entry that is not stored is symmetric.
  EXPECT_TRUE(isSymmetric(fromRows({{{0, 1.0}, {1, 0.0}}, {{1, 1.0}}})));
  EXPECT_FALSE(isSymmetric(fromRows({{{0, 1.0}, {1, 1e-300}}, {{1, 1.0}}})));
}

// Rows 0-2: a chain held by a boundary at row 0. Rows 3-4: an isolated pair (a segment that
// reaches no fixed head). Row 5: a cell with no coupling at all. Rows 6-7: a pair joined by two
// segments, whose diagonal holds both conductances and the off-diagonal entry the later one,
// so its rows do not sum to zero and it is held. Row 8: coupled to row 3 by a stored zero only,
// and to a boundary.
CsrMatrix floatingFixture() {
  return fromRows({
      {{0, -3.0}, {1, 1.0}},
      {{0, 1.0}, {1, -2.0}, {2, 1.0}},
      {{1, 1.0}, {2, -1.0}},
      {{3, -0.5}, {4, 0.5}, {8, 0.0}},
      {{3, 0.5}, {4, -0.5}},
      {{5, 0.0}},
      {{6, -3.0}, {7, 2.0}},
      {{6, 2.0}, {7, -3.0}},
      {{3, 0.0}, {8, -1.0}},
  });
}

TEST(FloatingComponents, AreTheComponentsWhoseRowsAllSumToZero) {
  const FloatingComponents floating = findFloatingComponents(floatingFixture());
  EXPECT_EQ(floating.count, 2);
  EXPECT_EQ(floating.unknowns, 3);
  EXPECT_EQ(floating.componentOf, (std::vector<int>{-1, -1, -1, 0, 0, 1, -1, -1, -1}));
}

TEST(DirectSolve, FloatingPartsKeepTheMeanOfTheirStartValues) {
  const CsrMatrix A = floatingFixture();
  const std::vector<double> b = {-10.0, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0, -4.0};
  const std::vector<double> start = {1.0, 2.0, 3.0, 4.0, 10.0, 6.5, 7.0, 8.0, 9.0};
  std::vector<double> x = start;
  const DirectReport report = solveDirect(A, b, x, {.tol = 1e-12});
  ASSERT_EQ(report.status, DirectStatus::Solved);
  EXPECT_EQ(report.floatingComponents, 2);
  EXPECT_EQ(report.floatingUnknowns, 3);
  EXPECT_EQ(x[3], 7.0);
  EXPECT_EQ(x[4], 7.0);
  EXPECT_EQ(x[5], 6.5);
  EXPECT_LT(report.relativeResidual, 1e-14);

  // MINRES from the same start converges to the same values; BiCG from zero leaves them 0.
  const auto minres = capture(start, [&](std::vector<double>& y, io::TextStream& console) {
    return solveMINRES(A, b, y, 1000, 1e-14, console);
  });
  ASSERT_EQ(minres.flag, 0);
  EXPECT_LT(maxDifference(x, minres.x), 1e-10);

  std::vector<double> fromZero(b.size(), 0.0);
  ASSERT_EQ(solveDirect(A, b, fromZero, {.tol = 1e-12}).status, DirectStatus::Solved);
  const auto bicg = capture(std::vector<double>(b.size(), 0.0),
                            [&](std::vector<double>& y, io::TextStream& console) {
                              return solveBiCG(A, b, y, 1000, 1e-14, console);
                            });
  ASSERT_EQ(bicg.flag, 0);
  EXPECT_EQ(fromZero[3], 0.0);
  EXPECT_EQ(fromZero[5], 0.0);
  EXPECT_EQ(bicg.x[3], 0.0);
  EXPECT_EQ(bicg.x[5], 0.0);
  EXPECT_LT(maxDifference(fromZero, bicg.x), 1e-10);
}

TEST(DirectSolve, AWellInAFloatingPartIsInconsistent) {
  const CsrMatrix A = floatingFixture();
  std::vector<double> b(static_cast<std::size_t>(A.n), 0.0);
  b[0] = -10.0;
  b[4] = 0.25;  // the well takes water out of the isolated pair
  std::vector<double> x(b.size(), 0.0);
  const DirectReport report = solveDirect(A, b, x, {.tol = 1e-9});
  EXPECT_EQ(report.status, DirectStatus::Inconsistent);
  EXPECT_EQ(report.inconsistentUnknown, 4);
  EXPECT_FALSE(report.converged());
}

TEST(DirectSolve, ZeroRightHandSideGivesZero) {
  const CsrMatrix A = floatingFixture();
  const std::vector<double> b(static_cast<std::size_t>(A.n), 0.0);
  std::vector<double> x(b.size(), 5.0);
  const DirectReport report = solveDirect(A, b, x, {.tol = 1e-9});
  EXPECT_EQ(report.status, DirectStatus::Solved);
  EXPECT_EQ(report.method, DirectMethod::None);
  EXPECT_EQ(report.relativeResidual, 0.0);
  EXPECT_EQ(x, b);
}

TEST(DirectSolve, AFactorTooLargeForTheMemoryIsRefused) {
  const CsrMatrix A = gridLaplacian(30, 30);
  const std::vector<double> b = randomVector(A.n, 3);
  std::vector<double> x(b.size(), 0.0);
  const DirectReport report = solveDirect(A, b, x, {.tol = 1e-9, .memoryLimitBytes = 1e4});
  EXPECT_EQ(report.status, DirectStatus::TooLarge);
  EXPECT_GT(report.factor.estimatedBytes, 1e4);
  EXPECT_EQ(report.factor.factorSeconds, 0.0);
}

TEST(DirectSolve, AResidualAboveTheToleranceIsReported) {
  // No rounded solution meets a tolerance of 0 here: the solve is refined, kept and reported.
  const CsrMatrix A = gridLaplacian(12, 9);
  const std::vector<double> b = randomVector(A.n, 9);
  std::vector<double> x(b.size(), 0.0);
  const DirectReport report = solveDirect(A, b, x, {.tol = 0.0});
  EXPECT_EQ(report.status, DirectStatus::AboveTolerance);
  EXPECT_EQ(report.refinementSteps, 3);
  EXPECT_GT(report.relativeResidual, 0.0);
  EXPECT_LT(report.relativeResidual, 1e-14);
}

TEST(DirectSolve, ASingularHeldPartFailsTheFactorization) {
  // Rows sum to zero but for row 0, whose extra entry is cancelled in exact arithmetic by the
  // unsymmetric coupling: columns 1 and 2 are equal, so LU meets a zero pivot.
  const CsrMatrix A = fromRows({{{0, 1.0}, {1, 1.0}, {2, 1.0}},
                                {{0, 2.0}, {1, 1.0}, {2, 1.0}},
                                {{0, 3.0}, {1, 1.0}, {2, 1.0}}});
  const std::vector<double> b = {1.0, 2.0, 3.0};
  std::vector<double> x(b.size(), 0.0);
  const DirectReport report = solveDirect(A, b, x, {.tol = 1e-9});
  EXPECT_EQ(report.method, DirectMethod::Lu);
  EXPECT_EQ(report.status, DirectStatus::Singular);
}

}  // namespace
}  // namespace fracflow::solvers
