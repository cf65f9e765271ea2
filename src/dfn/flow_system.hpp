// The network flow system A x = b on the internal-node heads: mass balance at every
// internal node, boundary heads moved to the right-hand side, the well flux taken out at
// the well nodes. A is held sparse, with every entry the assembly touches.
#pragma once

#include "dfn/well_nodes.hpp"
#include "network/node.hpp"
#include "network/segment.hpp"
#include "solvers/linear_system.hpp"

namespace fracflow::dfn {

// 0.01 · perm / length: the flow through a segment per unit head drop along it.
inline double conductance(const Segment& segment) {
  return 0.01 * segment.perm / segmentLength(segment);
}

// Row r gathers, for each segment s in order with an end at internal node r (end 1
// preferred), every node p at the far end of s: a boundary p moves cond · head(p) to b, an
// internal p sets the off-diagonal entry to cond (the later segment wins); each adds -cond
// to the diagonal. The entries, the right-hand side and the order of their updates are
// those of a scan over all segments and nodes, so the result is the same bit for bit. Row and
// column r belong to internal node r.
solvers::LinearSystem assembleFlowSystem(const SegmentTable& segments, const NodeTable& nodes,
                                         const WellNodes& well);

}  // namespace fracflow::dfn
