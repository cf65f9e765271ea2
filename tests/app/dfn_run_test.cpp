// The well step and the DFN phase in whole runs of the executable.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/files.hpp"
#include "support/run_fracflow.hpp"
#include "support/staged_case.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::app {
namespace {

using fracflow::testing::fileNames;
using fracflow::testing::parameterFileText;
using fracflow::testing::readFile;
using fracflow::testing::runFracflow;
using fracflow::testing::TempDir;
using fracflow::testing::writeFile;

// Two realizations of a horizontal fracture across the 100 x 100 domain, cut at (40, 50):
// one internal node, heads 100 on the left face and 0 on the right. Plot files, grid and
// transport are off, so only the well step and the DFN phase write anything.
class DfnRun : public ::testing::Test {
 protected:
  fracflow::testing::RunResult run(fracflow::testing::ParameterValues values) {
    values.emplace("numberruns", "2");
    values.emplace("meet_fracs", "2");
    values.emplace("rf1", "0.0");
    values.emplace("ntwrk", "2");
    values.emplace("dfntr", "2");
    values.emplace("grdcp", "2");
    writeFile(dir_.path() / "Data_and_OutputOptions.txt", parameterFileText(values));
    for (const char* name : {"Network_data.0001.txt", "Network_data.0002.txt"}) {
      writeFile(dir_.path() / name, "0.0 50.0 40.0 50.0 1.0\n40.0 50.0 100.0 50.0 1.0\n");
    }
    return runFracflow(dir_.path());
  }
  std::vector<std::string> outputs() const {
    std::vector<std::string> names;
    for (const std::string& name : fileNames(dir_.path())) {
      if (name.rfind("Network_data.", 0) != 0 && name != "Data_and_OutputOptions.txt") {
        names.push_back(name);
      }
    }
    return names;
  }
  TempDir dir_;
};

constexpr const char* kNoWellNode =
    "Number of Sink Nodes = 0\nExiting because there are no nodes at the well location\n";

TEST_F(DfnRun, WellThatCatchesNoNodeEndsTheRunWhateverDfncp) {
  for (const char* dfncp : {"1", "2"}) {
    SCOPED_TRACE(std::string("dfncp = ") + dfncp);
    // The well square about (50, 50) with half-width 1 holds no node.
    const auto result = run({{"sink", "1"}, {"dfncp", dfncp}});
    EXPECT_EQ(result.exitStatus, 1);
    ASSERT_GE(result.out.size(), std::string(kNoWellNode).size());
    EXPECT_EQ(result.out.substr(result.out.size() - std::string(kNoWellNode).size()), kNoWellNode);
    EXPECT_EQ(result.out.find("NUMBER = 2"), std::string::npos);
    EXPECT_TRUE(outputs().empty());
  }
}

TEST_F(DfnRun, WellNodeTakesTheFluxOutOfItsRow) {
  // Well at the internal node (40, 50): b = 0.5 - (0.01 * 1 / 40) * 100 = 0.475.
  const auto result = run({{"sink", "1"}, {"sinkLocX", "40.0"}, {"sinkFlux", "0.5"}});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_NE(result.out.find("Number of Sink Nodes = 1\n"), std::string::npos);
  EXPECT_EQ(readFile(dir_.path() / "b.0001.txt"), "4.750000e-001\n");
  EXPECT_EQ(readFile(dir_.path() / "a.0001.txt"), "-4.166667e-004,  \n");
}

TEST_F(DfnRun, DfncpOffSkipsTheWholePhase) {
  const auto result = run({{"dfncp", "2"}});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_NE(result.out.find("Number of Sink Nodes = 0\n"), std::string::npos);
  EXPECT_EQ(result.out.find("MINRES"), std::string::npos);
  EXPECT_TRUE(outputs().empty());
}

TEST_F(DfnRun, EveryDfnFileOfBothRealizations) {
  const auto result = run({});
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(outputs(),
            (std::vector<std::string>{"Backbone.0001.bln", "Backbone.0002.bln", "DFN_flow.0001.txt",
                                      "DFN_flow.0002.txt", "FlowData.0001.txt", "FlowData.0002.txt",
                                      "a.0001.txt", "a.0002.txt", "b.0001.txt", "b.0002.txt",
                                      "dfnhead.0001.txt", "dfnhead.0002.txt"}));
  // Conductances 1/4000 and 1/6000 in series under a drop of 100: 0.01 through each face.
  EXPECT_EQ(readFile(dir_.path() / "DFN_flow.0002.txt"),
            "Flow Through Top Face    = 0.000000000\n"
            "Flow Through Right Face  = 0.010000000\n"
            "Flow Through Bottom Face = 0.000000000\n"
            "Flow Through Left Face   = -0.010000000\n"
            "Global DFN Flow          = 0.010000000\n"
            "\n");
}

}  // namespace
}  // namespace fracflow::app
