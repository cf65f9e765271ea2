// Random networks for comparing the indexed network-flow code with plain scans: nodes on
// the faces, inside the domain and hard against x = 0 or y = 0, near-duplicate nodes, and
// segment ends placed exactly on, just inside and just outside the matching windows.
#pragma once

#include <cmath>
#include <random>
#include <vector>

#include "network/node.hpp"
#include "network/segment.hpp"

namespace fracflow::testing {

struct RandomNetwork {
  SegmentTable segments;
  NodeTable nodes;
};

class NetworkMaker {
 public:
  NetworkMaker(unsigned seed, double L, double W) : rng_(seed), L_(L), W_(W) {}

  RandomNetwork make(int pointCount, int segmentCount) {
    std::vector<Node> boundary;
    std::vector<Node> internal;
    std::vector<Node> points;
    for (int i = 0; i < pointCount; ++i) {
      Node p = point(points);
      p.head = uniform(-5.0, 5.0);
      const bool onFace = p.x == 0 || p.x == L_ || p.y == 0 || p.y == W_;
      (onFace ? boundary : internal).push_back(p);
      points.push_back(p);
    }
    RandomNetwork net;
    net.nodes.boundaryNodes = static_cast<int>(boundary.size());
    net.nodes.internalNodes = static_cast<int>(internal.size());
    net.nodes.nodes = boundary;
    net.nodes.nodes.insert(net.nodes.nodes.end(), internal.begin(), internal.end());
    const auto& all = net.nodes.nodes;
    std::uniform_int_distribution<std::size_t> pick(0, all.size() - 1);
    for (int s = 0; s < segmentCount; ++s) {
      const Node& a = all[pick(rng_)];
      // Now and then a segment with both ends at one node.
      const Node& b = chance(0.05) ? a : all[pick(rng_)];
      Segment seg;
      seg.perm = chance(0.05) ? 0.0 : uniform(0.1, 10.0);
      end(a, seg.x1, seg.y1);
      end(b, seg.x2, seg.y2);
      if (seg.x1 == seg.x2 && seg.y1 == seg.y2) seg.x2 = std::nextafter(seg.x2, 1e300);
      net.segments.push_back(seg);
    }
    return net;
  }

 private:
  double uniform(double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng_);
  }
  bool chance(double p) { return uniform(0.0, 1.0) < p; }

  Node point(const std::vector<Node>& earlier) {
    const double r = uniform(0.0, 1.0);
    Node p;
    p.x = uniform(0.0, L_);
    p.y = uniform(0.0, W_);
    if (r < 0.08) {
      p.x = 0.0;
    } else if (r < 0.16) {
      p.x = L_;
    } else if (r < 0.24) {
      p.y = 0.0;
    } else if (r < 0.32) {
      p.y = W_;
    } else if (r < 0.34) {
      p.x = chance(0.5) ? 0.0 : L_;
      p.y = chance(0.5) ? 0.0 : W_;
    } else if (r < 0.42) {
      p.x = uniform(1e-8, 3e-5);  // hard against x = 0: only the widened window reaches it
    } else if (r < 0.50) {
      p.y = uniform(1e-8, 3e-5);
    } else if (r < 0.60 && !earlier.empty()) {
      // A near-duplicate of an earlier point: two nodes inside each other's windows.
      const Node& q =
          earlier[std::uniform_int_distribution<std::size_t>(0, earlier.size() - 1)(rng_)];
      p.x = q.x * (1.0 + uniform(-1.5e-6, 1.5e-6)) + uniform(-1.5e-6, 1.5e-6);
      p.y = q.y * (1.0 + uniform(-1.5e-6, 1.5e-6)) + uniform(-1.2e-5, 1.5e-6);
      if (!(p.x > 0 && p.x < L_ && p.y > 0 && p.y < W_)) p = q;
    }
    return p;
  }

  // One coordinate of an end point near a node coordinate c, by one of the ways a match
  // can be decided: exact, relative or absolute jitter, or right on a window bound.
  double near(double c, bool lowY) {
    switch (std::uniform_int_distribution<int>(0, 9)(rng_)) {
      case 0:
      case 1:
      case 2:
        return c;
      case 3:
        return c * (1.0 + uniform(-2e-6, 2e-6));
      case 4:
        return c + uniform(-2e-6, 2e-6);
      case 5:
        return 0.999999 * c;
      case 6:
        return 1.000001 * c;
      case 7:
        return std::nextafter(chance(0.5) ? 0.999999 * c : 1.000001 * c,
                              chance(0.5) ? -1e300 : 1e300);
      case 8:
        return chance(0.5) ? (c + 1e-6) * 1.000001 : (c - (lowY ? 1e-5 : 1e-6)) * 0.999999;
      default:
        return lowY ? c - uniform(0.0, 1.2e-5) : c;
    }
  }

  void end(const Node& n, double& x, double& y) {
    x = near(n.x, false);
    y = near(n.y, true);
  }

  std::mt19937_64 rng_;
  double L_;
  double W_;
};

}  // namespace fracflow::testing
