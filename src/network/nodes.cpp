// Node counting and building over an index of the segment end points. Both only ask whether
// (or how many) points lie in a window, so the order in which the index offers candidates
// does not matter; the exact window tests decide, and the results are taken in end-point
// order.
#include "network/nodes.hpp"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "network/point_index.hpp"
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
  return countNodes(PointIndex(segmentEndPoints(segments)), domainL, domainW);
}

NodeCount countNodes(const PointIndex& index, double domainL, double domainW) {
  // c(P) for every point off the faces, the queries run in bucket order; the weights are
  // then summed in end-point order. A point that is not finite is not stored: no window
  // holds anything about it, so its c stays 1.
  std::vector<int> cluster(index.size(), 1);
  index.forEachStored([&](int own, double x, double y) {
    if (onFace(x, y, domainL, domainW)) return;
    int c = 1;
    index.forEachCandidate(x, y, [&](int other, double ex, double ey) {
      if ((other >> 1) == (own >> 1)) return;  // both ends of P's own segment
      if (inRelativeWindow(ex, ey, x, y)) ++c;
    });
    cluster[static_cast<std::size_t>(own)] = c;
  });
  NodeCount count;
  double sum = 0.0;
  for (std::size_t id = 0; id < index.size(); ++id) {
    const Point& p = index.point(static_cast<int>(id));
    if (onFace(p.x, p.y, domainL, domainW)) {
      ++count.boundaryNodes;
      continue;
    }
    sum += 1.0 / static_cast<double>(cluster[id]);
  }
  count.internalNodes = static_cast<int>(std::fabs(sum + 0.05));
  return count;
}

NodeTable buildNodes(const SegmentTable& segments, const RunOptions& options) {
  return buildNodes(PointIndex(segmentEndPoints(segments)), options);
}

NodeTable buildNodes(const PointIndex& index, const RunOptions& options) {
  const double L = options.domainL;
  const double W = options.domainW;
  NodeTable table;
  for (std::size_t id = 0; id < index.size(); ++id) {
    const Point& p = index.point(static_cast<int>(id));
    double head = 0.0;
    if (faceHead(p.x, p.y, options, head)) table.nodes.push_back({head, p.x, p.y});
  }
  table.boundaryNodes = static_cast<int>(table.nodes.size());

  // Only an earlier interior end point can have become a node by the time P is met. The
  // pairs (P, E) with E earlier and P in the window of E are found in bucket order; the
  // nodes are then made in end-point order, P becoming one unless such an E did.
  std::vector<std::pair<int, int>> earlier;
  index.forEachStored([&](int id, double x, double y) {
    if (!interior(x, y, L, W)) return;
    index.forEachCandidate(x, y, [&](int other, double ex, double ey) {
      if (other < id && interior(ex, ey, L, W) && inRelativeWindow(x, y, ex, ey)) {
        earlier.emplace_back(id, other);
      }
    });
  });
  std::sort(earlier.begin(), earlier.end());

  // The duplicate search runs from the last boundary node to the last internal node made.
  const bool hasBoundary = !table.nodes.empty();
  const Node lastBoundary = hasBoundary ? table.nodes.back() : Node{};
  std::vector<char> isNode(index.size(), 0);
  std::size_t next = 0;
  for (std::size_t id = 0; id < index.size(); ++id) {
    const Point& p = index.point(static_cast<int>(id));
    if (!interior(p.x, p.y, L, W)) continue;
    bool known = hasBoundary && inRelativeWindow(p.x, p.y, lastBoundary.x, lastBoundary.y);
    for (; next < earlier.size() && earlier[next].first == static_cast<int>(id); ++next) {
      known = known || isNode[static_cast<std::size_t>(earlier[next].second)] != 0;
    }
    if (!known) {
      table.nodes.push_back({0.0, p.x, p.y});
      isNode[id] = 1;
    }
  }
  table.internalNodes = static_cast<int>(table.nodes.size()) - table.boundaryNodes;
  return table;
}

}  // namespace fracflow::network
