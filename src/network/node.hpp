// Node: one node of the flow network, its head and position. The node table holds the
// boundary nodes first, then the internal nodes (whose heads the network flow solves).
#pragma once

#include <vector>

namespace fracflow {

struct Node {
  double head = 0.0;
  double x = 0.0;
  double y = 0.0;
};

struct NodeTable {
  std::vector<Node> nodes;
  int boundaryNodes = 0;
  int internalNodes = 0;
  int totalNodes() const { return boundaryNodes + internalNodes; }
};

}  // namespace fracflow
