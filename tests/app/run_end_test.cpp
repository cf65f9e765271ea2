// Why a run ended, on standard error: each condition that ends a run explains itself in words
// a user can act on, while the console and the exit status stay as they were.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/files.hpp"
#include "support/run_fracflow.hpp"
#include "support/staged_case.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::testing {
namespace {

struct Case {
  const char* what;
  ParameterValues values;
  std::string network;  // empty: the networks of rand_iso_sparse
  std::vector<std::string> explained;
  const char* consoleLine;  // the console's own last line
};

TEST(RunEnd, EachEarlyEndIsExplainedOnStandardError) {
  const Case cases[] = {
      {"a segment too tiny",
       {{"meet_fracs", "2"}},
       "10 10 90 90 1\n50 50 50 50.00000000001 1\n",
       // The double nearest 50.00000000001 lies 9.99734e-12 above 50.
       {"fracflow: realization 1: the run ended: segment 1 from (50, 50) to (50, "
        "50.00000000001) is 9.99734e-012 long, at most 1e-9 x domainL; remove it from the network "
        "file or join it to its neighbours"},
       "is being aborted as at least one fracture segment is too tiny! ID number = 1"},
      {"a well that catches no node",
       {{"sink", "1"}, {"sinkLocX", "50"}, {"sinkLocY", "50"}, {"sinkRad", "1e-9"}},
       "",
       {"fracflow: realization 1: the run ended: no internal network node lies strictly inside "
        "the well square of half-width sinkRad = 1e-009 around (50, 50); the nearest internal "
        "node is at (",
        " would catch it); move the well (sinkLocX, sinkLocY, lines 50 and 51) onto the network "
        "or widen sinkRad (line 52)"},
       "Exiting because there are no nodes at the well location"},
      {"MINRES stopped at maxit",
       {{"maxit", "2"}},
       "",
       {"fracflow: realization 1: the run ended: the DFN flow solver MINRES did not converge: "
        "after ",
        " iterations (maxit = 2, line 65) the relative residual is ",
        "NoConDFN.0001.txt records it. Raise maxit or loosen tol"},
       "MINRES completed"},
      {"BiCG stopped at maxit",
       {{"maxit", "2"}, {"dfncp", "2"}},
       "",
       {"fracflow: realization 1: the run ended: the grid flow solver BiCG did not converge: ",
        "NoConGrd.0001.txt records it. Raise maxit or loosen tol"},
       "BiCg"},
      {"a tolerance of 0",
       {{"tol", "0"}},
       "",
       {"fracflow: tol = 0 (line 66) and maxit = ",
        ": with a tolerance or an iteration limit of 0 or below the flow solvers cannot normally "
        "meet the tolerance"},
       nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    if (c.network.empty()) {
      stageCase("rand_iso_sparse", dir.path(), c.values);
    } else {
      writeFile(dir.path() / "Data_and_OutputOptions.txt", parameterFileText(c.values));
      writeFile(dir.path() / "Network_data.0001.txt", c.network);
    }
    const RunResult run = runFracflow(dir.path());
    for (const std::string& part : c.explained) {
      EXPECT_NE(run.err.find(part), std::string::npos) << part << "\n" << run.err;
    }
    if (c.consoleLine == nullptr) continue;
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.out.find(c.consoleLine), std::string::npos) << run.out;
    // The explanation is the last thing the run says, after the console's own line.
    EXPECT_EQ(run.err.find("the run ended"), run.err.rfind("the run ended")) << run.err;
  }
}

}  // namespace
}  // namespace fracflow::testing
