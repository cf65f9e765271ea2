// Reference versions of the network-flow searches, written as plain scans over every
// segment and node in the documented order. The indexed code must agree with them bit
// for bit.
#pragma once

#include <cstddef>
#include <vector>

#include "dfn/end_heads.hpp"
#include "dfn/well_nodes.hpp"
#include "network/node.hpp"
#include "network/point_windows.hpp"
#include "network/segment.hpp"
#include "solvers/dense_matrix.hpp"

namespace fracflow::dfn::literal {

struct DenseSystem {
  solvers::DenseMatrix A;
  std::vector<double> b;
  std::vector<std::vector<bool>> touched;  // entries the assembly wrote
};

inline DenseSystem assemble(const SegmentTable& segments, const NodeTable& table,
                            const WellNodes& well) {
  const int B = table.boundaryNodes;
  const int n = table.internalNodes;
  const int T = table.totalNodes();
  const std::vector<Node>& nodes = table.nodes;
  std::vector<int> sinkNodes = well.sinkNodes;
  sinkNodes.push_back(T + 100);
  DenseSystem sys{solvers::DenseMatrix(n), std::vector<double>(static_cast<std::size_t>(n), 0.0),
                  std::vector<std::vector<bool>>(static_cast<std::size_t>(n),
                                                 std::vector<bool>(static_cast<std::size_t>(n)))};
  for (int r = 0; r < n; ++r) {
    for (const int q : sinkNodes) {
      if (q == B + r) sys.b[static_cast<std::size_t>(r)] += well.wellFlux;
    }
  }
  for (int q = B; q < T; ++q) {
    const int r = q - B;
    const Node& node = nodes[static_cast<std::size_t>(q)];
    for (int c = 0; c < n; ++c) sys.A.at(r, c) = 0.0;
    sys.touched[static_cast<std::size_t>(r)][static_cast<std::size_t>(r)] = true;
    for (const Segment& s : segments) {
      const double cond = 0.01 * s.perm / segmentLength(s);
      double fx = 0.0, fy = 0.0, d = 0.0;
      if (network::inRelativeWindow(node.x, node.y, s.x1, s.y1)) {
        fx = s.x2, fy = s.y2, d = 1e-6;
      } else if (network::inRelativeWindow(node.x, node.y, s.x2, s.y2)) {
        fx = s.x1, fy = s.y1, d = 1e-5;
      } else {
        continue;
      }
      for (int p = 0; p < T; ++p) {
        const Node& far = nodes[static_cast<std::size_t>(p)];
        if (!network::inWidenedWindow(fx, fy, far.x, far.y, d)) continue;
        if (p < B) {
          sys.b[static_cast<std::size_t>(r)] -= cond * far.head;
          sys.A.at(r, r) -= cond;
        } else {
          sys.A.at(r, p - B) = cond;
          sys.touched[static_cast<std::size_t>(r)][static_cast<std::size_t>(p - B)] = true;
          sys.A.at(r, r) -= cond;
        }
      }
    }
  }
  return sys;
}

inline EndHeads endHeads(const SegmentTable& segments, const NodeTable& table, double unset) {
  EndHeads heads{std::vector<double>(segments.size(), unset),
                 std::vector<double>(segments.size(), unset)};
  for (const Node& node : table.nodes) {
    for (std::size_t s = 0; s < segments.size(); ++s) {
      if (network::inWidenedWindow(segments[s].x1, segments[s].y1, node.x, node.y, 1e-5)) {
        heads.head1[s] = node.head;
      } else if (network::inWidenedWindow(segments[s].x2, segments[s].y2, node.x, node.y, 1e-5)) {
        heads.head2[s] = node.head;
      }
    }
  }
  return heads;
}

}  // namespace fracflow::dfn::literal
