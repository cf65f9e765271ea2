#include "solvers/bicg.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "io/text_stream.hpp"
#include "solvers/csr_builder.hpp"
#include "solvers/solver_fixtures.hpp"
#include "support/same_bits.hpp"

namespace fracflow::solvers {
namespace {

using testing::capture;
using testing::diagonal;
using testing::Outcome;

// The iteration exactly as the method reads, on a dense matrix, with separate sweeps and the
// products accumulated into v and w, to check that the solver's fusions change no bit.
int literalBicg(const DenseMatrix& A, const std::vector<double>& b, std::vector<double>& x,
                int maxit, double tol, io::TextStream& console) {
  const int n = A.n;
  if (maxit <= 0) return 0;
  bool zeroB = true;
  for (int i = 0; i < n; ++i) zeroB = zeroB && b[i] == 0.0;
  if (zeroB) {
    for (int i = 0; i < n; ++i) x[i] = 0.0;
    console.line("BiCg converged after ", 0, " iterations");
    return 0;
  }
  std::vector<double> r(n, 0.0), rt(n, 0.0), p(n, 0.0), pt(n, 0.0), v(n, 0.0), w(n, 0.0);
  for (int i = 0; i < n; ++i) {
    double sum = 0.0;
    for (int j = 0; j < n; ++j) sum += A.at(i, j) * x[j];
    r[i] = b[i] - sum;
  }
  rt = r;
  double normB = 0.0;
  for (int i = 0; i < n; ++i) normB += b[i] * b[i];
  normB = std::sqrt(normB);
  double start = 0.0;
  for (int i = 0; i < n; ++i) start += r[i] * r[i];
  if (start == 0.0) {
    console.line("BiCg converged after ", 0, " iterations");
    return 0;
  }
  double rhoPrev = 1.0;
  int flag = 0;
  for (int k = 0; k < maxit; ++k) {
    double rho = 0.0;
    for (int j = 0; j < n; ++j) rho += rt[j] * r[j];
    const double beta = rho / rhoPrev;
    rhoPrev = rho;
    for (int j = 0; j < n; ++j) {
      p[j] = beta * p[j] + r[j];
      pt[j] = beta * pt[j] + rt[j];
    }
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) v[i] += A.at(i, j) * p[j];
    double sigma = 0.0;
    for (int j = 0; j < n; ++j) sigma += pt[j] * v[j];
    const double alpha = rho / sigma;
    for (int j = 0; j < n; ++j) {
      x[j] = x[j] + alpha * p[j];
      r[j] = r[j] - alpha * v[j];
    }
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) w[i] += A.at(i, j) * pt[j];
    for (int j = 0; j < n; ++j) rt[j] = rt[j] - alpha * w[j];
    for (int j = 0; j < n; ++j) v[j] = w[j] = 0.0;
    double normR = 0.0;
    for (int j = 0; j < n; ++j) normR += r[j] * r[j];
    normR = std::sqrt(normR);
    if (tol * normB > normR) {
      console.line("BiCg converged after ", k + 1, " iterations");
      return 0;
    }
    if (k == maxit - 1) {
      console.line("BiCg completed ", maxit, " iterations with a relative residual of ",
                   normR / normB);
      flag = 1;
    }
    if ((k + 1) % 1000 == 0 && k + 1 <= 20000) {
      console.line("BiCg Iteration = ", k + 1, "       RR = ", normR / normB);
    }
  }
  return flag;
}

template <typename Matrix>
Outcome runBicg(const Matrix& A, const std::vector<double>& b, std::vector<double> x0, int maxit,
                double tol) {
  return capture(std::move(x0), [&](std::vector<double>& x, io::TextStream& console) {
    return solveBiCG(A, b, x, maxit, tol, console);
  });
}

Outcome runLiteral(const DenseMatrix& A, const std::vector<double>& b, std::vector<double> x0,
                   int maxit, double tol) {
  return capture(std::move(x0), [&](std::vector<double>& x, io::TextStream& console) {
    return literalBicg(A, b, x, maxit, tol, console);
  });
}

struct EdgeCase {
  const char* name;
  std::vector<double> diag;
  std::vector<double> b;
  std::vector<double> x0;
  int maxit;
  double tol;
  int flag;
  const char* console;
  std::vector<double> x;  // expected result, exactly
};

TEST(Bicg, EdgeCases) {
  const EdgeCase cases[] = {
      // Identity from 0: p = r = b, v = b, alpha = (b.b) / (b.b) = 1, so x = b and r = 0.
      {"identity converges at the first iteration",
       {1, 1, 1},
       {1, -2, 3},
       {0, 0, 0},
       100,
       1e-6,
       0,
       "BiCg converged after 1 iterations\n",
       {1, -2, 3}},
      // The same step with tol 0: ||r|| = 0 is not below 0 * ||b||, the test is strict.
      {"strict test",
       {1, 1, 1},
       {1, -2, 3},
       {0, 0, 0},
       1,
       0.0,
       1,
       "BiCg completed 1 iterations with a relative residual of 0\n",
       {1, -2, 3}},
      {"maxit 0 prints nothing", {1, 2}, {1, 1}, {5, 6}, 0, 1e-6, 0, "", {5, 6}},
      {"negative maxit prints nothing", {1, 2}, {1, 1}, {5, 6}, -3, 1e-6, 0, "", {5, 6}},
      {"maxit 0 with a zero right-hand side", {1, 2}, {0, 0}, {5, 6}, 0, 1e-6, 0, "", {5, 6}},
      {"exact start vector",
       {1, 2},
       {1, 1},
       {1, 0.5},
       100,
       1e-6,
       0,
       "BiCg converged after 0 iterations\n",
       {1, 0.5}},
      {"zero right-hand side from 0",
       {1, 2},
       {0, 0},
       {0, 0},
       100,
       1e-6,
       0,
       "BiCg converged after 0 iterations\n",
       {0, 0}},
      {"zero right-hand side from elsewhere",
       {1, 2},
       {0, 0},
       {5, 6},
       100,
       1e-6,
       0,
       "BiCg converged after 0 iterations\n",
       {0, 0}},
      {"empty system", {}, {}, {}, 100, 1e-6, 0, "BiCg converged after 0 iterations\n", {}},
  };
  for (const EdgeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const DenseMatrix A = diagonal(c.diag);
    const Outcome outcome = runBicg(A, c.b, c.x0, c.maxit, c.tol);
    EXPECT_EQ(runLiteral(A, c.b, c.x0, c.maxit, c.tol).console, outcome.console);
    EXPECT_EQ(outcome.flag, c.flag);
    EXPECT_EQ(outcome.console, c.console);
    EXPECT_SAME_BITS(outcome.x, c.x);
  }
}

// The report: converged or not, the iterations the console line counts, the final ||r|| / ||b||.
TEST(Bicg, ReportsWhatTheSolveDid) {
  struct Case {
    const char* name;
    std::vector<double> diag;
    std::vector<double> b;
    std::vector<double> x0;
    int maxit;
    double tol;
    bool converged;
    long long iterations;
    double residual;  // NaN: none was computed
  };
  const double none = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {"identity", {1, 1, 1}, {1, -2, 3}, {0, 0, 0}, 100, 1e-6, true, 1, 0.0},
      {"strict test", {1, 1, 1}, {1, -2, 3}, {0, 0, 0}, 1, 0.0, false, 1, 0.0},
      // One step on diag(1, 2) from 0 with b = (1, 1): alpha = 2 / 3, r = (1/3, -1/3), so
      // ||r|| / ||b|| = 1 / 3.
      {"limit reached", {1, 2}, {1, 1}, {0, 0}, 1, 0.0, false, 1, 1.0 / 3.0},
      {"maxit 0", {1, 2}, {1, 1}, {5, 6}, 0, 1e-6, true, 0, none},
      {"exact start vector", {1, 2}, {1, 1}, {1, 0.5}, 100, 1e-6, true, 0, 0.0},
      {"zero right-hand side", {1, 2}, {0, 0}, {5, 6}, 100, 1e-6, true, 0, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SolveReport report = runBicg(diagonal(c.diag), c.b, c.x0, c.maxit, c.tol).report;
    EXPECT_EQ(report.converged, c.converged);
    EXPECT_EQ(report.iterations, c.iterations);
    if (std::isnan(c.residual)) {
      EXPECT_TRUE(std::isnan(report.residual));
    } else {
      EXPECT_NEAR(report.residual, c.residual, 1e-15);
    }
  }
}

const std::string kNumber = R"((-?nan|-?inf|[-+]?[0-9.]+(e[-+][0-9]{3})?))";

// Splits the console text into lines.
std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A 1-D chain far from converged after 1000 iterations: the completed line comes before the
// progress line of the same iteration, both with the residual of iteration 1000.
TEST(Bicg, LimitAtAThousandPrintsCompletedThenProgress) {
  const int n = 3000;
  CsrBuilder builder(n);
  for (int i = 0; i < n; ++i) {
    builder.beginRow();
    if (i > 0) builder.set(i - 1, 1.0);
    if (i + 1 < n) builder.set(i + 1, 1.0);
    builder.subtract(i, 2.0);
    builder.endRow();
  }
  const CsrMatrix A = builder.finish();
  const std::vector<double> b = testing::randomVector(n, 5);
  const Outcome outcome = runBicg(A, b, std::vector<double>(b.size(), 0.0), 1000, 1e-12);
  EXPECT_EQ(outcome.flag, 1);
  const std::vector<std::string> lines = linesOf(outcome.console);
  ASSERT_EQ(lines.size(), 2u);
  std::smatch completed, progress;
  ASSERT_TRUE(std::regex_match(
      lines[0], completed,
      std::regex("BiCg completed 1000 iterations with a relative residual of " + kNumber)));
  ASSERT_TRUE(std::regex_match(lines[1], progress,
                               std::regex("BiCg Iteration = 1000       RR = " + kNumber)));
  EXPECT_EQ(completed[1], progress[1]);
}

TEST(Bicg, NoProgressLinesAfterTwentyThousand) {
  const DenseMatrix A = diagonal({1, 2, 3});
  const Outcome outcome = runBicg(A, {1, 1, 1}, {0, 0, 0}, 21500, 0.0);
  EXPECT_EQ(outcome.flag, 1);
  const std::vector<std::string> lines = linesOf(outcome.console);
  ASSERT_EQ(lines.size(), 21u);
  for (int i = 0; i < 20; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(std::regex_match(lines[static_cast<std::size_t>(i)],
                                 std::regex("BiCg Iteration = " + std::to_string(1000 * (i + 1)) +
                                            "       RR = " + kNumber)));
  }
  EXPECT_TRUE(std::regex_match(
      lines[20],
      std::regex("BiCg completed 21500 iterations with a relative residual of " + kNumber)));
}

struct RandomCase {
  const char* name;
  testing::RandomSystemOptions system;
  int maxit;
  double tol;
};

// Dense and sparse forms of the same matrix, and the literal iteration on the dense form, must
// agree bit for bit in x, in the flag and in every console line.
TEST(Bicg, SparseDenseAndLiteralIterationsAgreeBitForBit) {
  const RandomCase cases[] = {
      {"network, converging",
       {.n = 60, .meanDegree = 3.0, .boundaryShare = 1.0, .seed = 21},
       1000,
       1e-10},
      {"network with stored zeros",
       {.n = 80, .meanDegree = 4.0, .storedZeros = 0.3, .boundaryShare = 0.6, .seed = 22},
       1000,
       1e-12},
      {"unsymmetric", {.n = 50, .meanDegree = 4.0, .unsymmetric = true, .seed = 23}, 1000, 1e-9},
      {"limit with progress lines, tol 0", {.n = 30, .meanDegree = 3.0, .seed = 24}, 2100, 0.0},
      {"short limit", {.n = 40, .meanDegree = 3.0, .storedZeros = 0.2, .seed = 25}, 4, 1e-8},
      // Breakdowns (sigma near 0, non-finite iterates) must follow the literal iteration too.
      {"indefinite and unsymmetric",
       {.n = 40, .meanDegree = 3.0, .indefinite = true, .unsymmetric = true, .seed = 26},
       300,
       1e-12},
  };
  for (const RandomCase& c : cases) {
    SCOPED_TRACE(c.name);
    const CsrMatrix sparse = testing::randomSystem(c.system);
    const DenseMatrix dense = toDense(sparse);
    const std::vector<double> b = testing::randomVector(sparse.n, c.system.seed + 100, 1e-2);
    const std::vector<double> x0 = testing::randomVector(sparse.n, c.system.seed + 200);

    const Outcome fromSparse = runBicg(sparse, b, x0, c.maxit, c.tol);
    const Outcome fromDense = runBicg(dense, b, x0, c.maxit, c.tol);
    const Outcome literal = runLiteral(dense, b, x0, c.maxit, c.tol);

    EXPECT_FALSE(fromDense.console.empty());
    EXPECT_EQ(fromSparse.flag, fromDense.flag);
    EXPECT_EQ(fromSparse.console, fromDense.console);
    EXPECT_SAME_BITS(fromSparse.x, fromDense.x);
    EXPECT_EQ(literal.flag, fromDense.flag);
    EXPECT_EQ(literal.console, fromDense.console);
    EXPECT_SAME_BITS(literal.x, fromDense.x);
  }
}

// The grid system the way the grid assembly builds it, solved from 0: converges and solves.
TEST(Bicg, ConvergedGridSolveHasSmallTrueResidual) {
  const CsrMatrix A = testing::gridLaplacian(25, 25);
  const std::vector<double> b = testing::randomVector(A.n, 9);
  const Outcome outcome = runBicg(A, b, std::vector<double>(b.size(), 0.0), 5000, 1e-10);
  ASSERT_EQ(outcome.flag, 0);
  EXPECT_TRUE(
      std::regex_match(outcome.console, std::regex("BiCg converged after [0-9]+ iterations\n")));
  std::vector<double> Ax(b.size());
  multiply(A, outcome.x, Ax);
  double r2 = 0.0, b2 = 0.0;
  for (std::size_t i = 0; i < b.size(); ++i) {
    r2 += (b[i] - Ax[i]) * (b[i] - Ax[i]);
    b2 += b[i] * b[i];
  }
  EXPECT_LT(std::sqrt(r2), 1e-8 * std::sqrt(b2));
}

}  // namespace
}  // namespace fracflow::solvers
