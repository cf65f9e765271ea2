#include "dfn/flow_files.hpp"

#include <gtest/gtest.h>

#include <string>

#include "support/files.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::dfn {
namespace {

class FlowFiles : public ::testing::Test {
 protected:
  std::string path(const char* name) const { return (dir_.path() / name).string(); }
  static std::string read(const std::string& name) { return fracflow::testing::readFile(name); }
  fracflow::testing::TempDir dir_;
};

TEST_F(FlowFiles, HeadFileListsInternalNodesOnly) {
  NodeTable nodes;
  nodes.boundaryNodes = 1;
  nodes.internalNodes = 2;
  nodes.nodes = {{9.0, 0.0, 1.0}, {1.2345, 5.0, 2.5}, {-0.5, 12.25, 0.125}};
  writeHeadFile(path("dfnhead.0001.txt"), nodes);
  EXPECT_EQ(read(path("dfnhead.0001.txt")),
            "5.000000     2.500000       1.234500\n"
            "12.250000     0.125000       -0.500000\n");
}

TEST_F(FlowFiles, FlowDataHoldsEveryBackboneSegmentWithItsFlowMagnitude) {
  // Perm 2 over length 10 with head drop -1 (end 2 higher): flow |0.01 * -1 * 2 / 10|.
  const Backbone backbone{
      {{2.0, 0.0, 5.0, 10.0, 5.0}, {0.5, 9.5, 10.0, 10.0, 9.5}}, {0.0, 1.0}, {1.0, 1.0}, {0, 1}};
  writeFlowDataFile(path("FlowData.0001.txt"), backbone);
  EXPECT_EQ(read(path("FlowData.0001.txt")),
            "  0.0000e+000     5.0000e+000     1.0000e+001     5.0000e+000     2.0000e+000"
            "     2.0000e-003\n"
            "  9.5000e+000     1.0000e+001     1.0000e+001     9.5000e+000     5.0000e-001"
            "     0.0000e+000\n");
}

TEST_F(FlowFiles, EmptyBackboneGivesEmptyFlowData) {
  writeFlowDataFile(path("FlowData.0001.txt"), Backbone{});
  EXPECT_EQ(read(path("FlowData.0001.txt")), "");
}

// The face flows, then the injection count and node counts when particles were tracked.
TEST_F(FlowFiles, DfnFlowFileHoldsTheFaceFlowsAndTheWalkCounts) {
  NodeTable nodes;
  nodes.boundaryNodes = 2;
  nodes.internalNodes = 5;
  const FaceFlows flows{-0.25, 0.0, 0.125, 1.0 / 3.0};
  const std::string faceLines =
      "Flow Through Top Face    = -0.250000000\n"
      "Flow Through Right Face  = 0.000000000\n"
      "Flow Through Bottom Face = 0.125000000\n"
      "Flow Through Left Face   = 0.333333333\n"
      "Global DFN Flow          = 0.354166667\n"
      "\n";
  writeFlowFile(path("DFN_flow.0001.txt"), flows, nodes, std::nullopt);
  EXPECT_EQ(read(path("DFN_flow.0001.txt")), faceLines);
  writeFlowFile(path("DFN_flow.0001.txt"), flows, nodes, 3);
  EXPECT_EQ(read(path("DFN_flow.0001.txt")),
            faceLines + "Transp = 3\nInternal Nodes = 5\nBoundary Nodes = 2\nTotal Nodes = 7\n");
}

}  // namespace
}  // namespace fracflow::dfn
