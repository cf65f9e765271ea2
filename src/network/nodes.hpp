// The nodes of the flow network: every segment end on a face of the domain is a boundary
// node with the face's head there; the distinct end points inside the domain are the
// internal nodes, merged by the relative window.
#pragma once

#include "network/distinct_points.hpp"
#include "network/node.hpp"
#include "network/segment.hpp"
#include "options/run_options.hpp"

namespace fracflow::network {

struct NodeCount {
  int boundaryNodes = 0;
  int internalNodes = 0;
  int totalNodes() const { return boundaryNodes + internalNodes; }
};

// The head prescribed at (x, y) on the first face, in the order top, right, bottom, left,
// that the point lies on (exact comparisons), or false when it lies on none.
bool faceHead(double x, double y, const RunOptions& options, double& head);

// The node count by cluster weights: each end point off the faces adds 1 / c, c being 1 plus
// the number of end points of the other segments in its relative window; the internal count
// is the integer part of |sum + 0.05|. It agrees with buildNodes wherever end points either
// coincide or lie well apart.
NodeCount countNodes(const SegmentTable& segments, double domainL, double domainW);
// The same over DistinctPoints(segmentEndPoints(segments)), shared with buildNodes.
NodeCount countNodes(const DistinctPoints& endPoints, double domainL, double domainW);

// The node table: one boundary node per end point on a face (a corner gives one node, with
// the head of its first face), in segment order, end 1 first; then one internal node per
// interior end point that lies in the relative window of no node made so far (the last
// boundary node included), keeping its own coordinates.
NodeTable buildNodes(const SegmentTable& segments, const RunOptions& options);
NodeTable buildNodes(const DistinctPoints& endPoints, const RunOptions& options);

}  // namespace fracflow::network
