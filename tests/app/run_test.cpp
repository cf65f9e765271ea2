// The run driver as a user meets it: the executable in a folder.
#include <gtest/gtest.h>

#include <string>

#include "support/files.hpp"
#include "support/run_fracflow.hpp"
#include "support/staged_case.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::testing {
namespace {

const std::string kBanner =
    std::string(78, '*') + "\n" + std::string(78, '*') + "\n" +
    "***** This code is designed to generate stochastic fracture networks and *****\n"
    "***** to compute flow and particle breakthrough curves via two different *****\n"
    "***** approaches. The first approach is the discrete fracture network    *****\n"
    "***** (DFN) method and the second approach is the fracture continuum     *****\n"
    "***** (grid-based) method that employs mapping techniques to evaluate    *****\n"
    "***** fracture continuum properties on a rectangular grid. Particles move*****\n"
    "***** by pure advection process in individual fractures.                 *****\n" +
    std::string(78, '*') + "\n" + std::string(78, '*') + "\n\n";

std::string header(int number) {
  const std::string slashes(65, '/');
  return "\n\n" + slashes + "\n\nSTARTING THE SIMULATIONS FOR MONTE-CARLO RELIAZATION NUMBER = " +
         std::to_string(number) + "\n\n" + slashes + "\n\n";
}

TEST(Run, MissingNetworkFilesSkipEachRealizationAndExitOne) {
  TempDir dir;
  writeFile(dir.path() / "Data_and_OutputOptions.txt", parameterFileText({{"numberruns", "3"}}));
  const RunResult run = runFracflow(dir.path());
  std::string expected = kBanner;
  for (int k = 1; k <= 3; ++k) expected += header(k) + "Could not open the Network Data file\n";
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(run.exitStatus, 1);
  // Nothing is written for a skipped realization.
  EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"Data_and_OutputOptions.txt"});
}

TEST(Run, ParameterFileProblemsEndBeforeAnyRealization) {
  struct Case {
    const char* name;
    std::string file;  // empty: no parameter file at all
    std::string out;   // after the banner
    std::string err;   // a part of stderr
  };
  const Case cases[] = {
      {"missing", "", "Could not open the data and output options file\n", ""},
      {"too many runs", parameterFileText({{"numberruns", "101"}}),
       "Number of monteCarlo realizations cannot be more than 100\n", ""},
      {"switch above", parameterFileText({{"dfnfl", "0"}, {"dfntr", "3"}}),
       "One or more of the ouput options are more than 2, please correct\n", ""},
      {"switch below", parameterFileText({{"sink", "0"}}),
       "One or more of the ouput options are less than 1, please correct\n", ""},
      {"malformed", parameterFileText({{"minFracL1", "x"}}), "",
       "Data_and_OutputOptions.txt:17: minFracL1: expected a number"},
      // Values that describe no study, after the checks above.
      {"negative runs", parameterFileText({{"numberruns", "-3"}}), "",
       "fracflow: Data_and_OutputOptions.txt:12: numberruns: expected 0 to 100 realizations, "
       "found -3\n"},
      {"switch and domain", parameterFileText({{"domainL", "0"}, {"sink", "0"}}),
       "One or more of the ouput options are less than 1, please correct\n", ""},
      {"no bins", parameterFileText({{"bcsize", "0"}}), "",
       "Data_and_OutputOptions.txt:10: bcsize: expected at least 1 bin"},
      // A grid that cannot be numbered is refused before the first realization's files.
      {"grid too large", parameterFileText({{"cellx", "50000"}, {"celly", "50000"}}), "",
       "Data_and_OutputOptions.txt:3: cellx: a grid of 50000 x 50000 cells"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    if (!c.file.empty()) writeFile(dir.path() / "Data_and_OutputOptions.txt", c.file);
    const RunResult run = runFracflow(dir.path());
    EXPECT_EQ(run.out, kBanner + c.out);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    EXPECT_EQ(fileNames(dir.path()).size(), c.file.empty() ? 0u : 1u);
  }
}

TEST(Run, NoRealizationsEndsAfterTheBanner) {
  TempDir dir;
  writeFile(dir.path() / "Data_and_OutputOptions.txt", parameterFileText({{"numberruns", "0"}}));
  const RunResult run = runFracflow(dir.path());
  EXPECT_EQ(run.out, kBanner);
  EXPECT_EQ(run.exitStatus, 0);
}

TEST(Run, CommandLine) {
  TempDir dir;
  const RunResult help = runFracflow(dir.path(), {"--help"});
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_NE(help.out.find("usage: fracflow"), std::string::npos);
  const RunResult version = runFracflow(dir.path(), {"--version"});
  EXPECT_EQ(version.exitStatus, 0);
  EXPECT_EQ(version.out.rfind("fracflow ", 0), 0u);
  const RunResult unknown = runFracflow(dir.path(), {"--frobnicate"});
  EXPECT_EQ(unknown.exitStatus, 2);
  EXPECT_EQ(unknown.out, "");
  EXPECT_NE(unknown.err.find("--frobnicate"), std::string::npos);
}

}  // namespace
}  // namespace fracflow::testing
