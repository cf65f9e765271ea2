// Whole runs with --solver direct on a network that holds a cluster reaching no face: the
// cluster keeps the value the iterative solvers converge to, and a well in it ends the run as a
// solver that does not converge does.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "support/files.hpp"
#include "support/run_fracflow.hpp"
#include "support/staged_case.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::app {
namespace {

using fracflow::testing::parameterFileText;
using fracflow::testing::readFile;
using fracflow::testing::runFracflow;
using fracflow::testing::TempDir;
using fracflow::testing::writeFile;

// A cross of four pieces joining the four faces at (50, 50), and an L of two pieces about
// (30, 20) that reaches no face: three internal nodes and, on the grid, cells of their own.
constexpr const char* kNetwork =
    "0.0 50.0 50.0 50.0 1.0\n"
    "50.0 50.0 100.0 50.0 1.0\n"
    "50.0 0.0 50.0 50.0 2.0\n"
    "50.0 50.0 50.0 100.0 1.0\n"
    "21.0 21.0 31.0 21.0 1.0\n"
    "31.0 21.0 31.0 35.0 3.0\n";

// The numbers of a head file, in order.
std::vector<double> numbers(const std::string& text) {
  std::vector<double> values;
  std::istringstream in(text);
  for (double value = 0.0; in >> value;) values.push_back(value);
  return values;
}

class DirectSolverRun : public ::testing::Test {
 protected:
  fracflow::testing::RunResult run(const std::vector<std::string>& args,
                                   fracflow::testing::ParameterValues values = {}) {
    values.emplace("numberruns", "1");
    values.emplace("meet_fracs", "6");
    values.emplace("maxit", "4000");
    writeFile(dir_.path() / "Data_and_OutputOptions.txt", parameterFileText(values));
    writeFile(dir_.path() / "Network_data.0001.txt", kNetwork);
    return runFracflow(dir_.path(), args);
  }
  TempDir dir_;
};

TEST_F(DirectSolverRun, AClusterReachingNoFaceKeepsTheIterativeSolversValues) {
  const auto iterative = run({});
  ASSERT_EQ(iterative.exitStatus, 0) << iterative.err;
  const std::string iterativeNodes = readFile(dir_.path() / "dfnhead.0001.txt");
  const std::string iterativeCells = readFile(dir_.path() / "grdhead.0001.txt");

  const auto direct = run({"--solver", "direct"});
  ASSERT_EQ(direct.exitStatus, 0) << direct.err;
  EXPECT_NE(direct.err.find("fracflow: DFN flow: 1 part(s) with 3 unknowns reach no fixed head"),
            std::string::npos)
      << direct.err;
  EXPECT_NE(direct.err.find("fracflow: grid flow: Cholesky factorization (CHOLMOD"),
            std::string::npos)
      << direct.err;
  EXPECT_NE(direct.out.find("Direct solve (Cholesky) of 4 unknowns: relative residual = "),
            std::string::npos)
      << direct.out;

  // Internal nodes: (50, 50), then the cluster's (21, 21), (31, 21), (31, 35) in some order;
  // MINRES moves the cluster's heads to the mean of their start values, as the direct solve
  // sets them.
  for (const auto& [file, expected] :
       {std::pair{"dfnhead.0001.txt", iterativeNodes}, {"grdhead.0001.txt", iterativeCells}}) {
    SCOPED_TRACE(file);
    const std::vector<double> a = numbers(readFile(dir_.path() / file));
    const std::vector<double> b = numbers(expected);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) EXPECT_NEAR(a[i], b[i], 1e-6) << i;
  }
}

TEST_F(DirectSolverRun, AWellInAClusterReachingNoFaceEndsTheRunAsNonConvergence) {
  const fracflow::testing::ParameterValues well = {
      {"sink", "1"}, {"sinkLocX", "31.0"}, {"sinkLocY", "21.0"}, {"sinkFlux", "0.001"}};
  // (MINRES's residual estimate can fall below tol on such a system although no solution
  // exists; only the console before the solve is compared with it.)
  const auto iterative = run({}, well);

  const auto direct = run({"--solver", "direct"}, well);
  EXPECT_EQ(direct.exitStatus, 1);
  EXPECT_NE(direct.out.find("Direct solve of 4 unknowns: no solution (a well in a part that "
                            "reaches no fixed head)\n"),
            std::string::npos)
      << direct.out;
  EXPECT_NE(direct.err.find("a well lies in a part that reaches no fixed head"), std::string::npos)
      << direct.err;
  EXPECT_EQ(readFile(dir_.path() / "NoConDFN.0001.txt"),
            "1\nRealization number 1 did not converge for DFN flow solution\n");
  // The console up to the solve is the same in both runs.
  const std::string before = "Number of Sink Nodes = 1\n";
  EXPECT_EQ(direct.out.substr(0, direct.out.find(before) + before.size()),
            iterative.out.substr(0, iterative.out.find(before) + before.size()));
}

TEST_F(DirectSolverRun, TheSolverArgumentIsChecked) {
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* message;
  };
  const Case cases[] = {
      {{"--solver", "cholesky"}, 2, "--solver takes 'iterative' or 'direct', not 'cholesky'"},
      {{"--solver"}, 2, "--solver takes 'iterative' or 'direct'"},
      {{"--solver=direct", "--solver", "iterative"}, 2, "cannot be combined"},
      {{"--solver=iterative", "--timings"}, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front());
    const auto result = run(c.args);
    EXPECT_EQ(result.exitStatus, c.status) << result.err;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
}

TEST_F(DirectSolverRun, IterativeIsTheDefaultByteForByte) {
  const auto byDefault = run({});
  const std::string heads = readFile(dir_.path() / "dfnhead.0001.txt");
  const auto named = run({"--solver", "iterative"});
  EXPECT_EQ(named.out, byDefault.out);
  EXPECT_EQ(readFile(dir_.path() / "dfnhead.0001.txt"), heads);
}

}  // namespace
}  // namespace fracflow::app
