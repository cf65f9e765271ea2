// Node counting and building over the distinct positions of the segment end points. Both
// only ask whether (or how many) points lie in a window, so the order in which the index
// offers candidates does not matter; the exact window tests decide, and the results are
// taken in end-point order. Points sharing a position are one candidate, so a thousand
// fractures ending at one point cost a thousand queries, not a million.
#include "network/nodes.hpp"

#include <cmath>
#include <vector>

#include "network/distinct_points.hpp"
#include "network/point_windows.hpp"

namespace fracflow::network {
namespace {

bool onFace(double x, double y, double domainL, double domainW) {
  return y == domainW || x == domainL || y == 0.0 || x == 0.0;
}

bool interior(double x, double y, double domainL, double domainW) {
  return 0.0 < x && x < domainL && 0.0 < y && y < domainW;
}

}  // namespace

bool faceHead(double x, double y, const RunOptions& o, double& head) {
  if (y == o.domainW) {
    head = o.tf1 + (o.tf2 - o.tf1) * (x / o.domainL);
  } else if (x == o.domainL) {
    head = o.rf1 + (o.rf2 - o.rf1) * (y / o.domainW);
  } else if (y == 0.0) {
    head = o.bf1 + (o.bf2 - o.bf1) * (x / o.domainL);
  } else if (x == 0.0) {
    head = o.lf1 + (o.lf2 - o.lf1) * (y / o.domainW);
  } else {
    return false;
  }
  return true;
}

NodeCount countNodes(const SegmentTable& segments, double domainL, double domainW) {
  return countNodes(DistinctPoints(segmentEndPoints(segments)), domainL, domainW);
}

NodeCount countNodes(const DistinctPoints& endPoints, double domainL, double domainW) {
  // How many end points lie in the relative window about each distinct position; the
  // queries run in bucket order. A point that is not finite has no position: no window
  // holds anything about it, so its c stays 1.
  const PointIndex& positions = endPoints.positions();
  std::vector<int> inWindow(endPoints.positionCount(), 0);
  positions.forEachStored([&](int own, double x, double y) {
    int n = 0;
    positions.forEachCandidate(x, y, [&](int other, double ex, double ey) {
      if (inRelativeWindow(ex, ey, x, y)) n += endPoints.multiplicity(other);
    });
    inWindow[static_cast<std::size_t>(own)] = n;
  });
  // c(P) leaves out both ends of P's own segment (P itself among them); the weights are
  // summed in end-point order.
  NodeCount count;
  double sum = 0.0;
  for (std::size_t id = 0; id < endPoints.size(); ++id) {
    const Point& p = endPoints.point(static_cast<int>(id));
    if (onFace(p.x, p.y, domainL, domainW)) {
      ++count.boundaryNodes;
      continue;
    }
    int c = 1;
    const int position = endPoints.positionOf(static_cast<int>(id));
    if (position >= 0) {
      c += inWindow[static_cast<std::size_t>(position)];
      if (inRelativeWindow(p.x, p.y, p.x, p.y)) --c;
      const std::size_t partnerId = id ^ 1;
      if (partnerId < endPoints.size()) {
        const Point& partner = endPoints.point(static_cast<int>(partnerId));
        if (inRelativeWindow(partner.x, partner.y, p.x, p.y)) --c;
      }
    }
    sum += 1.0 / static_cast<double>(c);
  }
  count.internalNodes = static_cast<int>(std::fabs(sum + 0.05));
  return count;
}

NodeTable buildNodes(const SegmentTable& segments, const RunOptions& options) {
  return buildNodes(DistinctPoints(segmentEndPoints(segments)), options);
}

NodeTable buildNodes(const DistinctPoints& endPoints, const RunOptions& options) {
  const double L = options.domainL;
  const double W = options.domainW;
  NodeTable table;
  for (std::size_t id = 0; id < endPoints.size(); ++id) {
    const Point& p = endPoints.point(static_cast<int>(id));
    double head = 0.0;
    if (faceHead(p.x, p.y, options, head)) table.nodes.push_back({head, p.x, p.y});
  }
  table.boundaryNodes = static_cast<int>(table.nodes.size());

  // The duplicate search runs from the last boundary node to the last internal node made.
  // Every node made so far comes from an earlier interior end point, and whether P lies in
  // a node's window depends on the node's position alone: so P is known when it lies in the
  // window of a position that already holds a node. Interior points are finite.
  const bool hasBoundary = !table.nodes.empty();
  const Node lastBoundary = hasBoundary ? table.nodes.back() : Node{};
  const PointIndex& positions = endPoints.positions();
  std::vector<char> holdsNode(endPoints.positionCount(), 0);
  for (std::size_t id = 0; id < endPoints.size(); ++id) {
    const Point& p = endPoints.point(static_cast<int>(id));
    if (!interior(p.x, p.y, L, W)) continue;
    bool known = hasBoundary && inRelativeWindow(p.x, p.y, lastBoundary.x, lastBoundary.y);
    if (!known) {
      positions.forEachCandidate(p.x, p.y, [&](int position, double nx, double ny) {
        known = known || (holdsNode[static_cast<std::size_t>(position)] != 0 &&
                          inRelativeWindow(p.x, p.y, nx, ny));
      });
    }
    if (!known) {
      table.nodes.push_back({0.0, p.x, p.y});
      holdsNode[static_cast<std::size_t>(endPoints.positionOf(static_cast<int>(id)))] = 1;
    }
  }
  table.internalNodes = static_cast<int>(table.nodes.size()) - table.boundaryNodes;
  return table;
}

}  // namespace fracflow::network
