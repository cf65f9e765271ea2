#include "app/dfn_phase.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "dfn/flow_files.hpp"
#include "support/files.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::app {
namespace {

using fracflow::testing::fileNames;
using fracflow::testing::readFile;

// Runs the DFN flow of realization 1 into a fresh folder and keeps the console text; after a
// converged solve the DFN flow file is written as the realization does without particles.
class DfnPhase : public ::testing::Test {
 protected:
  DfnPhase() {
    options_.domainL = 10.0;
    options_.domainW = 10.0;
    options_.cellSizeX = 1.0;
    options_.cellSizeY = 1.0;
    options_.lf1 = options_.lf2 = 1.0;  // heads 1 on the left, 0 elsewhere
    options_.tf1 = 1.0;                 // flowing from a gradient of 0.02 * 1 / 10
    options_.sink = 2;
    options_.dfncp = 1;
    options_.dfnfl = 1;
    options_.bbone = 1;
    options_.dfndt = 1;
    options_.dfntr = 2;
    options_.maxit = 100;
    options_.tol = 1e-12;
  }

  DfnFlow run(const SegmentTable& segments, NodeTable& nodes) {
    io::TextStream console(log_);
    const RealizationSetup setup{1, console, diagnostics_, {}, dir_.path()};
    Realization realization(setup);
    DfnFlow flow = runDfnFlow(options_, realization, segments, nodes, dfn::WellNodes{},
                              static_cast<int>(segments.size()));
    if (flow.solve.converged) {
      dfn::writeFlowFile(dir_.path() / "DFN_flow.0001.txt", flow.faceFlows, nodes, std::nullopt);
    }
    console.flush();
    return flow;
  }
  std::string file(const char* name) const { return readFile(dir_.path() / name); }

  fracflow::testing::TempDir dir_;
  RunOptions options_;
  std::ostringstream log_;
  std::ostringstream diagnostics_;
};

// L (0, 5) at head 1 and R (10, 5) at head 0 joined through M (5, 5): perm 2 over length 5
// on both halves, so conductance 0.004 each, M at head 0.5 and 0.002 through the channel.
TEST_F(DfnPhase, StraightChannelFromLeftToRight) {
  const SegmentTable segments{{2.0, 0.0, 5.0, 5.0, 5.0}, {2.0, 5.0, 5.0, 10.0, 5.0}};
  NodeTable nodes{{{1.0, 0.0, 5.0}, {0.0, 10.0, 5.0}, {0.0, 5.0, 5.0}}, 2, 1};
  EXPECT_TRUE(run(segments, nodes).solve.converged);
  EXPECT_EQ(log_.str(), "MINRES converged after 2 steps\nNumber of segments in backbone = 2\n");
  EXPECT_EQ(fileNames(dir_.path()),
            (std::vector<std::string>{"Backbone.0001.bln", "DFN_flow.0001.txt", "FlowData.0001.txt",
                                      "a.0001.txt", "b.0001.txt", "dfnhead.0001.txt"}));
  EXPECT_EQ(file("a.0001.txt"), "-8.000000e-003,  \n");
  EXPECT_EQ(file("b.0001.txt"), "-4.000000e-003\n");
  EXPECT_EQ(file("dfnhead.0001.txt"), "5.000000     5.000000       0.500000\n");
  EXPECT_EQ(file("Backbone.0001.bln"),
            "2\n   0.000000, 5.000000\n   5.000000, 5.000000\n"
            "2\n   5.000000, 5.000000\n   10.000000, 5.000000\n");
  EXPECT_EQ(file("FlowData.0001.txt"),
            "  0.0000e+000     5.0000e+000     5.0000e+000     5.0000e+000     2.0000e+000     "
            "2.0000e-003\n"
            "  5.0000e+000     5.0000e+000     1.0000e+001     5.0000e+000     2.0000e+000     "
            "2.0000e-003\n");
  EXPECT_EQ(file("DFN_flow.0001.txt"),
            "Flow Through Top Face    = 0.000000000\n"
            "Flow Through Right Face  = 0.002000000\n"
            "Flow Through Bottom Face = 0.000000000\n"
            "Flow Through Left Face   = -0.002000000\n"
            "Global DFN Flow          = 0.002000000\n"
            "\n");
}

TEST_F(DfnPhase, DumpHoldsEveryEntryOfEveryRow) {
  // L - A - B - R in a row, and C joined to nothing: n = 3 lines of 3 entries.
  const SegmentTable segments{
      {3.0, 0.0, 5.0, 3.0, 5.0}, {3.0, 3.0, 5.0, 6.0, 5.0}, {4.0, 6.0, 5.0, 10.0, 5.0}};
  NodeTable nodes{
      {{1.0, 0.0, 5.0}, {0.0, 10.0, 5.0}, {0.0, 3.0, 5.0}, {0.0, 6.0, 5.0}, {0.0, 5.0, 8.0}}, 2, 3};
  options_.bbone = options_.dfndt = 2;
  EXPECT_TRUE(run(segments, nodes).solve.converged);
  EXPECT_EQ(file("a.0001.txt"),
            "-2.000000e-002,  1.000000e-002,  0.000000e+000,  \n"
            "1.000000e-002,  -2.000000e-002,  0.000000e+000,  \n"
            "0.000000e+000,  0.000000e+000,  0.000000e+000,  \n");
  EXPECT_EQ(file("b.0001.txt"), "-1.000000e-002\n0.000000e+000\n0.000000e+000\n");
  EXPECT_EQ(fileNames(dir_.path()),
            (std::vector<std::string>{"DFN_flow.0001.txt", "a.0001.txt", "b.0001.txt"}));
}

TEST_F(DfnPhase, NetworkTouchingNoFaceCarriesNoFlow) {
  const SegmentTable segments{{1.0, 2.0, 2.0, 5.0, 5.0}, {1.0, 5.0, 5.0, 7.0, 3.0}};
  NodeTable nodes{{{0.0, 2.0, 2.0}, {0.0, 5.0, 5.0}, {0.0, 7.0, 3.0}}, 0, 3};
  EXPECT_TRUE(run(segments, nodes).solve.converged);
  EXPECT_EQ(log_.str(), "MINRES converged after 1 steps\nNumber of segments in backbone = 0\n");
  EXPECT_EQ(file("Backbone.0001.bln"), "");
  EXPECT_EQ(file("FlowData.0001.txt"), "");
  EXPECT_EQ(file("dfnhead.0001.txt"),
            "2.000000     2.000000       0.000000\n"
            "5.000000     5.000000       0.000000\n"
            "7.000000     3.000000       0.000000\n");
  EXPECT_EQ(file("DFN_flow.0001.txt"),
            "Flow Through Top Face    = 0.000000000\n"
            "Flow Through Right Face  = 0.000000000\n"
            "Flow Through Bottom Face = 0.000000000\n"
            "Flow Through Left Face   = 0.000000000\n"
            "Global DFN Flow          = 0.000000000\n"
            "\n");
}

TEST_F(DfnPhase, SegmentFromFaceToFaceAloneNeedsNoSolve) {
  // No internal node: a system of order 0, already solved; the segment still carries
  // 0.01 * 2 / 10 * (1 - 0) = 0.002 from the left face to the right one.
  const SegmentTable segments{{2.0, 0.0, 5.0, 10.0, 5.0}};
  NodeTable nodes{{{1.0, 0.0, 5.0}, {0.0, 10.0, 5.0}}, 2, 0};
  EXPECT_TRUE(run(segments, nodes).solve.converged);
  EXPECT_EQ(log_.str(), "MINRES converged after 1 steps\nNumber of segments in backbone = 1\n");
  EXPECT_EQ(file("a.0001.txt"), "");
  EXPECT_EQ(file("b.0001.txt"), "");
  EXPECT_EQ(file("dfnhead.0001.txt"), "");
  EXPECT_EQ(file("DFN_flow.0001.txt").substr(0, 78),
            "Flow Through Top Face    = 0.000000000\n"
            "Flow Through Right Face  = 0.002000000\n");
}

TEST_F(DfnPhase, NonConvergenceWritesNoConDfnAndEndsTheRun) {
  const SegmentTable segments{
      {1.0, 0.0, 5.0, 3.0, 5.0}, {1.0, 3.0, 5.0, 6.0, 5.0}, {1.0, 6.0, 5.0, 10.0, 5.0}};
  NodeTable nodes{{{1.0, 0.0, 5.0}, {0.0, 10.0, 5.0}, {0.0, 3.0, 5.0}, {0.0, 6.0, 5.0}}, 2, 2};
  options_.maxit = 1;
  options_.tol = 0.0;
  options_.dfnfl = 2;
  EXPECT_FALSE(run(segments, nodes).solve.converged);
  EXPECT_EQ(log_.str().find("Number of segments in backbone"), std::string::npos);
  EXPECT_EQ(fileNames(dir_.path()), (std::vector<std::string>{"NoConDFN.0001.txt"}));
  EXPECT_EQ(file("NoConDFN.0001.txt"),
            "1\nRealization number 1 did not converge for DFN flow solution\n");
}

TEST(WellStep, WellThatCatchesNoNodeEndsTheRun) {
  RunOptions options;
  options.sink = 1;
  options.sinkLocX = options.sinkLocY = 1.0;
  options.sinkRad = 0.5;
  const NodeTable nodes{{{0.0, 0.0, 5.0}, {0.0, 5.0, 5.0}}, 1, 1};
  std::ostringstream log;
  io::TextStream console(log);
  EXPECT_FALSE(runWellStep(options, nodes, console).has_value());
  options.sinkLocX = options.sinkLocY = 5.0;
  const auto well = runWellStep(options, nodes, console);
  console.flush();
  ASSERT_TRUE(well.has_value());
  EXPECT_EQ(well->sinkNodes, std::vector<int>{1});
  EXPECT_EQ(log.str(),
            "Number of Sink Nodes = 0\n"
            "Exiting because there are no nodes at the well location\n"
            "Number of Sink Nodes = 1\n");
}

}  // namespace
}  // namespace fracflow::app
