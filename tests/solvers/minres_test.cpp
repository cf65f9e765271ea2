#include "solvers/minres.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "io/text_stream.hpp"
#include "solvers/solver_fixtures.hpp"
#include "support/same_bits.hpp"

namespace fracflow::solvers {
namespace {

using testing::capture;
using testing::diagonal;
using testing::Outcome;

// The iteration exactly as the method reads, on a dense matrix, with no fused sweeps, to
// check that the solver's fusions change no bit.
int literalMinres(const DenseMatrix& A, const std::vector<double>& b, std::vector<double>& x,
                  int maxit, double tol, io::TextStream& console) {
  const int n = A.n;
  double normB = 0.0;
  for (int i = 0; i < n; ++i) normB += b[i] * b[i];
  normB = std::sqrt(normB);
  bool zeroB = true;
  for (int i = 0; i < n; ++i) zeroB = zeroB && b[i] == 0.0;
  if (zeroB) {
    for (int i = 0; i < n; ++i) x[i] = 0.0;
    console.line("MINRES converged after ", 1, " steps");
    return 0;
  }
  std::vector<double> vPrev(n, 0.0), v(n, 0.0), vNext(n, 0.0), wPrev2(n, 0.0), wPrev(n, 0.0),
      w(n, 0.0), Av(n, 0.0);
  for (int i = 0; i < n; ++i) {
    v[i] = 0.0;
    for (int j = 0; j < n; ++j) v[i] += A.at(i, j) * x[j];
  }
  for (int i = 0; i < n; ++i) v[i] = b[i] - v[i];
  double beta = 0.0;
  for (int i = 0; i < n; ++i) beta += v[i] * v[i];
  beta = std::sqrt(beta);
  if (beta == 0.0) {
    console.line("MINRES converged after ", 1, " steps");
    return 0;
  }
  double eta = beta, gammaPrev = 1, gamma = 1, sigmaPrev = 0, sigma = 0, alpha = 0;
  int k = 1;
  do {
    for (int i = 0; i < n; ++i) v[i] = v[i] / beta;
    for (int i = 0; i < n; ++i) {
      Av[i] = 0.0;
      for (int j = 0; j < n; ++j) Av[i] += A.at(i, j) * v[j];
    }
    alpha = 0.0;
    for (int i = 0; i < n; ++i) alpha += v[i] * Av[i];
    for (int i = 0; i < n; ++i) vNext[i] = Av[i] - alpha * v[i] - beta * vPrev[i];
    double betaNext = 0.0;
    for (int i = 0; i < n; ++i) betaNext += vNext[i] * vNext[i];
    betaNext = std::sqrt(betaNext);
    const double delta = gamma * alpha - gammaPrev * sigma * beta;
    const double rho1 = std::sqrt(delta * delta + betaNext * betaNext);
    const double rho2 = sigma * alpha + gammaPrev * gamma * beta;
    const double rho3 = sigmaPrev * beta;
    const double gammaNext = delta / rho1;
    const double sigmaNext = betaNext / rho1;
    for (int i = 0; i < n; ++i) {
      w[i] = (1 / rho1) * (v[i] - rho3 * wPrev2[i] - rho2 * wPrev[i]);
      x[i] = x[i] + gammaNext * eta * w[i];
    }
    eta = -sigmaNext * eta;
    k = k + 1;
    for (int i = 0; i < n; ++i) {
      vPrev[i] = v[i];
      v[i] = vNext[i];
      vNext[i] = 0;
      wPrev2[i] = wPrev[i];
      wPrev[i] = w[i];
      w[i] = 0;
    }
    beta = betaNext;
    alpha = 0;
    gammaPrev = gamma;
    gamma = gammaNext;
    sigmaPrev = sigma;
    sigma = sigmaNext;
    if (k % 100 == 0) {
      console.line("Iteration Number = ", k, "        Relative Residual = ", std::abs(eta) / normB);
    }
    if (k > maxit) break;
  } while (std::abs(eta) > tol * normB);
  if (std::abs(eta) <= tol * normB) {
    console.line("MINRES converged after ", k, " steps");
    return 0;
  }
  console.line("MINRES completed ", k,
               " steps without convergence. Value of final eta value is equal to = ", eta);
  return 1;
}

template <typename Matrix>
Outcome runMinres(const Matrix& A, const std::vector<double>& b, std::vector<double> x0, int maxit,
                  double tol) {
  return capture(std::move(x0), [&](std::vector<double>& x, io::TextStream& console) {
    return solveMINRES(A, b, x, maxit, tol, console);
  });
}

Outcome runLiteral(const DenseMatrix& A, const std::vector<double>& b, std::vector<double> x0,
                   int maxit, double tol) {
  return capture(std::move(x0), [&](std::vector<double>& x, io::TextStream& console) {
    return literalMinres(A, b, x, maxit, tol, console);
  });
}

// One MINRES step on diag(1, 2) with b = (1, 1) from x = 0, by hand: v = b / sqrt(2),
// alpha = 1.5, betaNext = 0.5, delta = 1.5, rho1 = sqrt(2.5), so x = 0.6 b (the minimiser
// of ||b - t A b||) and eta = -(0.5 / sqrt(2.5)) sqrt(2) = -1 / sqrt(5) = -0.447214.
struct EdgeCase {
  const char* name;
  std::vector<double> diag;
  std::vector<double> b;
  std::vector<double> x0;
  int maxit;
  double tol;
  int flag;
  const char* console;
  std::vector<double> x;  // expected result, to 1e-15
};

TEST(Minres, EdgeCases) {
  const EdgeCase cases[] = {
      // Identity: v = b / 4 = 0.5 exactly, alpha = 1, vNext = 0, so x = b and eta = 0 exactly.
      {"identity",
       {1, 1, 1, 1},
       {2, 2, 2, 2},
       {0, 0, 0, 0},
       1000,
       1e-6,
       0,
       "MINRES converged after 2 steps\n",
       {2, 2, 2, 2}},
      {"identity with tol 0",
       {1, 1, 1, 1},
       {2, 2, 2, 2},
       {0, 0, 0, 0},
       1000,
       0.0,
       0,
       "MINRES converged after 2 steps\n",
       {2, 2, 2, 2}},
      {"maxit 0 still takes one step",
       {1, 2},
       {1, 1},
       {0, 0},
       0,
       0.0,
       1,
       "MINRES completed 2 steps without convergence. Value of final eta value is equal to = "
       "-0.447214\n",
       {0.6, 0.6}},
      {"negative maxit",
       {1, 2},
       {1, 1},
       {0, 0},
       -7,
       1e-3,
       1,
       "MINRES completed 2 steps without convergence. Value of final eta value is equal to = "
       "-0.447214\n",
       {0.6, 0.6}},
      // |eta| / ||b|| = sqrt(0.2) / sqrt(2) = 0.316 <= 0.5: the last step counts even though the
      // step limit ended the loop.
      {"limit reached but tolerance met",
       {1, 2},
       {1, 1},
       {0, 0},
       1,
       0.5,
       0,
       "MINRES converged after 2 steps\n",
       {0.6, 0.6}},
      {"exact start vector",
       {1, 2},
       {1, 1},
       {1, 0.5},
       1000,
       1e-6,
       0,
       "MINRES converged after 1 steps\n",
       {1, 0.5}},
      {"exact start vector, maxit 0",
       {1, 2},
       {1, 1},
       {1, 0.5},
       0,
       1e-6,
       0,
       "MINRES converged after 1 steps\n",
       {1, 0.5}},
      {"zero right-hand side",
       {1, 2},
       {0, -0.0},
       {3, -1},
       1000,
       1e-6,
       0,
       "MINRES converged after 1 steps\n",
       {0, 0}},
      {"empty system", {}, {}, {}, 1000, 1e-6, 0, "MINRES converged after 1 steps\n", {}},
  };
  for (const EdgeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const DenseMatrix A = diagonal(c.diag);
    const Outcome outcome = runMinres(A, c.b, c.x0, c.maxit, c.tol);
    EXPECT_EQ(outcome.flag, c.flag);
    EXPECT_EQ(outcome.console, c.console);
    ASSERT_EQ(outcome.x.size(), c.x.size());
    for (std::size_t i = 0; i < c.x.size(); ++i) EXPECT_NEAR(outcome.x[i], c.x[i], 1e-15);
    const Outcome literal = runLiteral(A, c.b, c.x0, c.maxit, c.tol);
    EXPECT_EQ(literal.console, outcome.console);
    EXPECT_SAME_BITS(outcome.x, literal.x);
  }
}

// The report: converged or not, the steps the console line counts, the final |eta| / ||b||.
TEST(Minres, ReportsWhatTheSolveDid) {
  struct Case {
    const char* name;
    std::vector<double> diag;
    std::vector<double> b;
    std::vector<double> x0;
    int maxit;
    double tol;
    bool converged;
    long long steps;
    double residual;
  };
  // One step on diag(1, 2) with b = (1, 1) leaves |eta| = 1 / sqrt(5) (see EdgeCases), so
  // |eta| / ||b|| = 1 / sqrt(10).
  const double oneStep = 1.0 / std::sqrt(10.0);
  const Case cases[] = {
      {"identity", {1, 1, 1, 1}, {2, 2, 2, 2}, {0, 0, 0, 0}, 1000, 1e-6, true, 2, 0.0},
      {"limit reached", {1, 2}, {1, 1}, {0, 0}, 1, 0.0, false, 2, oneStep},
      {"limit reached but tolerance met", {1, 2}, {1, 1}, {0, 0}, 1, 0.5, true, 2, oneStep},
      {"exact start vector", {1, 2}, {1, 1}, {1, 0.5}, 1000, 1e-6, true, 1, 0.0},
      {"zero right-hand side", {1, 2}, {0, 0}, {3, -1}, 1000, 1e-6, true, 1, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SolveReport report = runMinres(diagonal(c.diag), c.b, c.x0, c.maxit, c.tol).report;
    EXPECT_EQ(report.converged, c.converged);
    EXPECT_EQ(report.iterations, c.steps);
    EXPECT_NEAR(report.residual, c.residual, 1e-15);
  }
}

TEST(Minres, IdentityGivesTheRightHandSideExactly) {
  const DenseMatrix A = diagonal({1, 1, 1, 1});
  const Outcome outcome = runMinres(A, {2, 2, 2, 2}, {0, 0, 0, 0}, 10, 1e-6);
  EXPECT_SAME_BITS(outcome.x, (std::vector<double>{2, 2, 2, 2}));
}

TEST(Minres, ZeroRightHandSideGivesPositiveZeros) {
  const Outcome outcome = runMinres(diagonal({1, 2}), {0, 0}, {-3, 4}, 10, 1e-6);
  EXPECT_FALSE(std::signbit(outcome.x[0]));
  EXPECT_FALSE(std::signbit(outcome.x[1]));
}

// With tol = 0 the iteration runs to the step limit: progress after steps 99 and 199 (k = 100,
// 200), then the failure line with the signed eta and k = maxit + 1.
TEST(Minres, ProgressLinesEveryHundredSteps) {
  const CsrMatrix A = testing::gridLaplacian(40, 40);
  const std::vector<double> b = testing::randomVector(A.n, 7);
  const Outcome outcome = runMinres(A, b, std::vector<double>(b.size(), 0.0), 250, 0.0);
  EXPECT_EQ(outcome.flag, 1);
  std::istringstream lines(outcome.console);
  std::string line;
  const std::string number = R"([-+]?[0-9.]+(e[-+][0-9]{3})?)";
  const std::regex progress("Iteration Number = ([0-9]+)        Relative Residual = " + number);
  const std::regex failure(
      "MINRES completed 251 steps without convergence. Value of final eta value is equal to = " +
      number);
  std::vector<std::string> ks;
  std::smatch match;
  while (std::getline(lines, line)) {
    if (std::regex_match(line, match, progress)) {
      ks.push_back(match[1]);
    } else {
      EXPECT_TRUE(std::regex_match(line, failure)) << line;
      EXPECT_TRUE(lines.peek() == EOF);
    }
  }
  EXPECT_EQ(ks, (std::vector<std::string>{"100", "200"}));
}

struct RandomCase {
  const char* name;
  testing::RandomSystemOptions system;
  int maxit;
  double tol;
};

// Dense and sparse forms of the same matrix, and the literal iteration on the dense form, must
// agree bit for bit in x, in the flag and in every console line, also where the pattern holds
// stored zeros and where the limit or the tolerance stops the iteration.
TEST(Minres, SparseDenseAndLiteralIterationsAgreeBitForBit) {
  const RandomCase cases[] = {
      {"network, converging",
       {.n = 60, .meanDegree = 3.0, .boundaryShare = 1.0, .seed = 11},
       1000,
       1e-10},
      {"network with stored zeros",
       {.n = 80, .meanDegree = 4.0, .storedZeros = 0.3, .boundaryShare = 0.6, .seed = 12},
       1000,
       1e-12},
      {"isolated rows and clusters",
       {.n = 120, .meanDegree = 1.0, .boundaryShare = 0.05, .seed = 13},
       400,
       1e-9},
      {"indefinite", {.n = 70, .meanDegree = 5.0, .indefinite = true, .seed = 14}, 1000, 1e-9},
      {"step limit, tol 0",
       {.n = 150, .meanDegree = 3.0, .storedZeros = 0.1, .seed = 15},
       230,
       0.0},
      {"short limit", {.n = 40, .meanDegree = 3.0, .seed = 16}, 3, 1e-8},
  };
  for (const RandomCase& c : cases) {
    SCOPED_TRACE(c.name);
    const CsrMatrix sparse = testing::randomSystem(c.system);
    const DenseMatrix dense = toDense(sparse);
    const std::vector<double> b = testing::randomVector(sparse.n, c.system.seed + 100, 1e-2);
    const std::vector<double> x0 = testing::randomVector(sparse.n, c.system.seed + 200);

    const Outcome fromSparse = runMinres(sparse, b, x0, c.maxit, c.tol);
    const Outcome fromDense = runMinres(dense, b, x0, c.maxit, c.tol);
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

// A converged solve really solves the system: the true residual is at the tolerance.
TEST(Minres, ConvergedSolutionHasSmallTrueResidual) {
  const CsrMatrix A = testing::gridLaplacian(30, 20);
  const std::vector<double> b = testing::randomVector(A.n, 3);
  const Outcome outcome = runMinres(A, b, std::vector<double>(b.size(), 0.0), 5000, 1e-10);
  ASSERT_EQ(outcome.flag, 0);
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
