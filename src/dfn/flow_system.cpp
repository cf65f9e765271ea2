// Assembly of the network flow system through a node index.
#include "dfn/flow_system.hpp"

#include <algorithm>
#include <cstddef>

#include "dfn/node_index.hpp"
#include "io/check.hpp"
#include "solvers/csr_builder.hpp"

namespace fracflow::dfn {
namespace {

// One segment seen from one of its rows: the segment and whether it meets the row's node
// with end 1 (then its far end is end 2) or with end 2.
struct RowMatch {
  int segment;
  bool atEnd1;
};

// For each row, its matches in segment order (compressed: row r holds
// matches[start[r] .. start[r + 1])).
struct RowMatches {
  std::vector<std::size_t> start;
  std::vector<RowMatch> matches;
};

RowMatches matchSegmentsToRows(const SegmentTable& segments, const NodeIndex& index,
                               int boundaryNodes, int internalNodes) {
  std::vector<int> row;
  std::vector<RowMatch> found;
  std::vector<int> atEnd1;
  std::vector<int> atEnd2;
  for (std::size_t s = 0; s < segments.size(); ++s) {
    const Segment& segment = segments[s];
    index.nodesInRelativeWindowOf(segment.x1, segment.y1, boundaryNodes, atEnd1);
    index.nodesInRelativeWindowOf(segment.x2, segment.y2, boundaryNodes, atEnd2);
    for (const int q : atEnd1) {
      row.push_back(q - boundaryNodes);
      found.push_back({static_cast<int>(s), true});
    }
    for (const int q : atEnd2) {
      // A node at both ends takes the segment once, by its end 1.
      if (std::binary_search(atEnd1.begin(), atEnd1.end(), q)) continue;
      row.push_back(q - boundaryNodes);
      found.push_back({static_cast<int>(s), false});
    }
  }

  // A stable counting sort by row keeps each row's matches in segment order.
  RowMatches result;
  result.start.assign(static_cast<std::size_t>(internalNodes) + 1, 0);
  for (const int r : row) ++result.start[static_cast<std::size_t>(r) + 1];
  for (std::size_t r = 0; r < static_cast<std::size_t>(internalNodes); ++r) {
    result.start[r + 1] += result.start[r];
  }
  result.matches.resize(found.size());
  std::vector<std::size_t> fill(result.start.begin(), result.start.end() - 1);
  for (std::size_t k = 0; k < found.size(); ++k) {
    result.matches[fill[static_cast<std::size_t>(row[k])]++] = found[k];
  }
  return result;
}

}  // namespace

solvers::LinearSystem assembleFlowSystem(const SegmentTable& segments, const NodeTable& nodes,
                                         const WellNodes& well) {
  const int boundaryNodes = nodes.boundaryNodes;
  const int n = nodes.internalNodes;
  FRACFLOW_CHECK(nodes.nodes.size() == static_cast<std::size_t>(nodes.totalNodes()));

  solvers::LinearSystem system;
  system.b.assign(static_cast<std::size_t>(n), 0.0);
  for (const int q : well.sinkNodes) {
    if (q >= boundaryNodes && q < nodes.totalNodes()) {
      system.b[static_cast<std::size_t>(q - boundaryNodes)] += well.wellFlux;
    }
  }

  const NodeIndex index(nodes.nodes);
  const RowMatches rows = matchSegmentsToRows(segments, index, boundaryNodes, n);

  solvers::CsrBuilder A(n, rows.matches.size() + static_cast<std::size_t>(n));
  std::vector<int> farNodes;
  for (int r = 0; r < n; ++r) {
    double& br = system.b[static_cast<std::size_t>(r)];
    A.beginRow();  // the diagonal is always held
    for (std::size_t k = rows.start[static_cast<std::size_t>(r)];
         k < rows.start[static_cast<std::size_t>(r) + 1]; ++k) {
      const RowMatch match = rows.matches[k];
      const Segment& segment = segments[static_cast<std::size_t>(match.segment)];
      const double cond = conductance(segment);
      if (match.atEnd1) {
        index.nodesWhoseWidenedWindowHolds(segment.x2, segment.y2, kFarEnd2Offset, farNodes);
      } else {
        index.nodesWhoseWidenedWindowHolds(segment.x1, segment.y1, kFarEnd1Offset, farNodes);
      }
      for (const int p : farNodes) {
        if (p < boundaryNodes) {
          br -= cond * nodes.nodes[static_cast<std::size_t>(p)].head;
        } else {
          // The far node can be the row's own node: then the diagonal is set, then lowered.
          A.set(p - boundaryNodes, cond);
        }
        A.subtract(r, cond);
      }
    }
    A.endRow();
  }
  system.A = A.finish();
  return system;
}

}  // namespace fracflow::dfn
