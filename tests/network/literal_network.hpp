// Reference versions of the network scans, written as plain loops over every segment and
// node in the documented order: the node count and build, and the tiny-segment pass. The
// indexed code must agree with them bit for bit.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "network/node.hpp"
#include "network/nodes.hpp"
#include "network/point_windows.hpp"
#include "network/segment.hpp"
#include "network/tiny_segments.hpp"
#include "options/run_options.hpp"

namespace fracflow::network::literal {

// The node scans as first written down, each end point against every other end point
// (counting) or every node made so far (building), with a corner taking one node.
inline NodeCount literalCount(const SegmentTable& seg, double L, double W) {
  NodeCount count;
  double sum = 0.0;
  for (std::size_t s = 0; s < seg.size(); ++s) {
    for (int e = 0; e < 2; ++e) {
      const double px = e == 0 ? seg[s].x1 : seg[s].x2;
      const double py = e == 0 ? seg[s].y1 : seg[s].y2;
      if (py == W || px == L || py == 0.0 || px == 0.0) {
        ++count.boundaryNodes;
        continue;
      }
      int c = 1;
      for (std::size_t t = 0; t < seg.size(); ++t) {
        if (t == s) continue;
        if (inRelativeWindow(seg[t].x1, seg[t].y1, px, py)) ++c;
        if (inRelativeWindow(seg[t].x2, seg[t].y2, px, py)) ++c;
      }
      sum += 1.0 / c;
    }
  }
  count.internalNodes = static_cast<int>(std::fabs(sum + 0.05));
  return count;
}

inline NodeTable literalBuild(const SegmentTable& seg, const RunOptions& o) {
  NodeTable t;
  for (const Segment& s : seg) {
    for (int e = 0; e < 2; ++e) {
      const double x = e == 0 ? s.x1 : s.x2;
      const double y = e == 0 ? s.y1 : s.y2;
      if (y == o.domainW)
        t.nodes.push_back({o.tf1 + (o.tf2 - o.tf1) * (x / o.domainL), x, y});
      else if (x == o.domainL)
        t.nodes.push_back({o.rf1 + (o.rf2 - o.rf1) * (y / o.domainW), x, y});
      else if (y == 0.0)
        t.nodes.push_back({o.bf1 + (o.bf2 - o.bf1) * (x / o.domainL), x, y});
      else if (x == 0.0)
        t.nodes.push_back({o.lf1 + (o.lf2 - o.lf1) * (y / o.domainW), x, y});
    }
  }
  t.boundaryNodes = static_cast<int>(t.nodes.size());
  const int k0 = t.boundaryNodes - 1;
  for (const Segment& s : seg) {
    for (int e = 0; e < 2; ++e) {
      const double x = e == 0 ? s.x1 : s.x2;
      const double y = e == 0 ? s.y1 : s.y2;
      if (!(0.0 < x && x < o.domainL && 0.0 < y && y < o.domainW)) continue;
      bool found = false;
      for (int k = std::max(k0, 0); k < static_cast<int>(t.nodes.size()); ++k) {
        const Node& n = t.nodes[static_cast<std::size_t>(k)];
        if (inRelativeWindow(x, y, n.x, n.y)) found = true;
      }
      if (!found) t.nodes.push_back({0.0, x, y});
    }
  }
  t.internalNodes = static_cast<int>(t.nodes.size()) - t.boundaryNodes;
  return t;
}

// The pass as a plain scan over the whole table, each step as first written down; the
// indexed pass must give the same tables, counters and removals on any input.
inline TinySegmentPass literalTinyPass(SegmentTable& seg, double domainL) {
  TinySegmentPass pass;
  const int n = static_cast<int>(seg.size());
  auto at = [&](int k) -> Segment& { return seg[static_cast<std::size_t>(k)]; };
  for (int i = 0; i < n; ++i) {
    const double len = segmentLength(at(i));
    if (len <= 1e-9 * domainL) {
      pass.tooTiny = i;
      return pass;
    }
    if (!(len <= 1e-5 * domainL)) continue;
    ++pass.tinyFracs;
    Segment& s = at(i);
    int c = 0, n1 = -1, n2 = -1;
    for (int j = 0; j < n; ++j) {
      if (j == i) continue;
      const Segment& t = at(j);
      const double si = std::fabs(s.y2 - s.y1) / std::fabs(s.x2 - s.x1);
      const double sj = std::fabs(t.y2 - t.y1) / std::fabs(t.x2 - t.x1);
      if (!(0.97 * sj <= si && si <= 1.03 * sj)) continue;
      if (!(t.perm == s.perm)) continue;
      if ((s.x1 == t.x1 && s.y1 == t.y1) || (s.x1 == t.x2 && s.y1 == t.y2) ||
          (s.x2 == t.x1 && s.y2 == t.y1) || (s.x2 == t.x2 && s.y2 == t.y2)) {
        ++c;
        if (c == 1) n1 = j;
        if (c == 2) n2 = j;
      }
    }
    int t1 = 0, t2 = 0;
    if (c == 1 || c == 2) {
      for (int k = 0; k < n; ++k) {
        if (k == i) continue;
        const Segment& t = at(k);
        if (s.x1 == t.x1 && s.y1 == t.y1)
          ++t1;
        else if (s.x1 == t.x2 && s.y1 == t.y2)
          ++t1;
        else if (s.x2 == t.x1 && s.y2 == t.y1)
          ++t2;
        else if (s.x2 == t.x2 && s.y2 == t.y2)
          ++t2;
      }
    }
    if (c >= 3) continue;
    if (c == 1 && t1 > 1 && t2 > 1) {
      Segment& a = at(n1);
      if (s.x1 == a.x1 && s.y1 == a.y1) {
        a.x1 = s.x2;
        a.y1 = s.y2;
      } else if (s.x1 == a.x2 && s.y1 == a.y2) {
        a.x2 = s.x2;
        a.y2 = s.y2;
      } else if (s.x2 == a.x1 && s.y2 == a.y1) {
        a.x1 = s.x1;
        a.y1 = s.y1;
      } else if (s.x2 == a.x2 && s.y2 == a.y2) {
        a.x2 = s.x1;
        a.y2 = s.y1;
      }
    } else if (c == 2) {
      Segment& a = at(n1);
      Segment& b = at(n2);
      const bool toEnd1 = t1 >= t2;
      const double fx = toEnd1 ? s.x2 : s.x1, fy = toEnd1 ? s.y2 : s.y1;
      const double tx = toEnd1 ? s.x1 : s.x2, ty = toEnd1 ? s.y1 : s.y2;
      if (fx == a.x1 && fy == a.y1) {
        a.x1 = tx;
        a.y1 = ty;
      } else if (fx == a.x2 && fy == a.y2) {
        a.x2 = tx;
        a.y2 = ty;
      } else if (fx == b.x1 && fy == b.y1) {
        b.x1 = tx;
        b.y1 = ty;
      } else if (fx == b.x2 && fy == b.y2) {
        b.x2 = tx;
        b.y2 = ty;
      }
    }
    ++pass.absentFracs;
    pass.abFracId.push_back(i);
    s.x1 += domainL + pass.absentFracs;
    s.x2 += domainL + pass.absentFracs;
  }
  SegmentTable kept;
  for (int i = 0; i < n; ++i) {
    bool gone = false;
    for (const int r : pass.abFracId) gone = gone || r == i;
    if (!gone) kept.push_back(at(i));
  }
  seg = kept;
  return pass;
}

}  // namespace fracflow::network::literal
