// Node counting and building over an index of the segment end points. Both only ask whether
// (or how many) points lie in a window, so the order in which the index offers candidates
// does not matter; the exact window tests decide.
#include "network/nodes.hpp"

#include <cmath>

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
  NodeCount count;
  double sum = 0.0;
  for (std::size_t id = 0; id < index.size(); ++id) {
    const Point& p = index.point(static_cast<int>(id));
    if (onFace(p.x, p.y, domainL, domainW)) {
      ++count.boundaryNodes;
      continue;
    }
    const int own = static_cast<int>(id);
    int c = 1;
    index.forEachCandidate(p.x, p.y, [&](int other) {
      if ((other >> 1) == (own >> 1)) return;  // both ends of P's own segment
      const Point& e = index.point(other);
      if (inRelativeWindow(e.x, e.y, p.x, p.y)) ++c;
    });
    sum += 1.0 / static_cast<double>(c);
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

  // The duplicate search runs from the last boundary node to the last internal node made.
  const bool hasBoundary = !table.nodes.empty();
  const Node lastBoundary = hasBoundary ? table.nodes.back() : Node{};
  std::vector<char> isNode(index.size(), 0);
  for (std::size_t id = 0; id < index.size(); ++id) {
    const Point& p = index.point(static_cast<int>(id));
    if (!interior(p.x, p.y, L, W)) continue;
    bool known = hasBoundary && inRelativeWindow(p.x, p.y, lastBoundary.x, lastBoundary.y);
    if (!known) {
      index.forEachCandidate(p.x, p.y, [&](int other) {
        if (known || isNode[static_cast<std::size_t>(other)] == 0) return;
        const Point& n = index.point(other);
        if (inRelativeWindow(p.x, p.y, n.x, n.y)) known = true;
      });
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
