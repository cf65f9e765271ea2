#include "dfn/well_nodes.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace fracflow::dfn {
namespace {

NodeTable wellNodes() {
  NodeTable t;
  t.boundaryNodes = 1;
  t.internalNodes = 4;
  // A boundary node in the well square, then internal nodes: inside, exactly sinkRad off in
  // x, exactly sinkRad off in y, inside.
  t.nodes = {{0.0, 5.0, 5.0}, {0.0, 5.5, 5.5}, {0.0, 6.0, 5.0}, {0.0, 5.0, 4.0}, {0.0, 4.1, 5.9}};
  return t;
}

RunOptions wellOptions(int sink) {
  RunOptions o;
  o.sink = sink;
  o.sinkLocX = 5.0;
  o.sinkLocY = 5.0;
  o.sinkRad = 1.0;
  o.sinkFlux = 3.0;
  return o;
}

TEST(WellNodes, InternalNodesStrictlyInsideTheSquareShareTheFlux) {
  std::ostringstream out;
  io::TextStream console(out);
  const RunOptions options = wellOptions(1);
  const WellNodes well = findWellNodes(wellNodes(), options, console);
  console.flush();
  EXPECT_EQ(well.sinkNodes, (std::vector<int>{1, 4}));
  EXPECT_EQ(well.sinkCount, 2);
  EXPECT_EQ(well.wellFlux, 1.5);
  EXPECT_FALSE(wellCatchesNoNode(well, options));
  EXPECT_EQ(out.str(), "Number of Sink Nodes = 2\n");
}

TEST(WellNodes, SwitchedOffWellMarksNothing) {
  std::ostringstream out;
  io::TextStream console(out);
  const RunOptions options = wellOptions(2);
  const WellNodes well = findWellNodes(wellNodes(), options, console);
  console.flush();
  EXPECT_TRUE(well.sinkNodes.empty());
  EXPECT_EQ(well.sinkCount, 0);
  EXPECT_FALSE(wellCatchesNoNode(well, options));
  EXPECT_EQ(out.str(), "Number of Sink Nodes = 0\n");
}

TEST(WellNodes, WellAwayFromEveryNodeCatchesNone) {
  std::ostringstream out;
  io::TextStream console(out);
  RunOptions options = wellOptions(1);
  options.sinkLocX = 50.0;
  const WellNodes well = findWellNodes(wellNodes(), options, console);
  console.flush();
  EXPECT_EQ(well.sinkCount, 0);
  EXPECT_TRUE(wellCatchesNoNode(well, options));
  EXPECT_EQ(out.str(), "Number of Sink Nodes = 0\n");
}

}  // namespace
}  // namespace fracflow::dfn
