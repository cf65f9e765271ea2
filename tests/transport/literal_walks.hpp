// Reference walks for the tests: the particle walks written the plain way, scanning the whole
// backbone or cell table at every step, with fixed slot arrays that keep what they held. The
// indexed walks of src/transport must give the same stops, bit for bit, on the same stream.
#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

#include "dfn/backbone.hpp"
#include "grid/cell.hpp"
#include "grid/face_coefficient.hpp"
#include "options/run_options.hpp"
#include "random/random_stream.hpp"
#include "transport/walk_end.hpp"

namespace fracflow::transport::literal {

inline bool endMatches(double ex, double ey, double x, double y) {
  return 0.999999 * x <= ex && ex <= 1.000001 * x && 0.999999 * y <= ey && ey <= 1.000001 * y;
}

inline double flowAlong(double ha, double hb, double perm, double length) {
  return (ha - hb) * 0.01 * perm / length;
}

inline double lengthOf(const Segment& s) {
  return std::sqrt((s.x2 - s.x1) * (s.x2 - s.x1) + (s.y2 - s.y1) * (s.y2 - s.y1));
}

// The slot arrays: three entries that only grow (for four or more candidates) and keep
// whatever they last held beyond the current count.
struct Slots {
  std::vector<double> flow = std::vector<double>(3, 0.0);
  std::vector<double> a = std::vector<double>(3, 0.0);  // network: origin x; grid: crfactorfrom
  std::vector<double> b = std::vector<double>(3, 0.0);  // network: origin y; grid: crfactorto
  std::vector<double> destX = std::vector<double>(3, 0.0);
  std::vector<double> destY = std::vector<double>(3, 0.0);
  int count = 0;
  double sum = 0.0;
  void put(double f, double av, double bv, double dx, double dy) {
    if (static_cast<std::size_t>(count) == flow.size()) {
      flow.push_back(0.0), a.push_back(0.0), b.push_back(0.0), destX.push_back(0.0),
          destY.push_back(0.0);
    }
    const auto k = static_cast<std::size_t>(count);
    flow[k] = f, a[k] = av, b[k] = bv, destX[k] = dx, destY[k] = dy;
    ++count;
    sum += f;
  }
  // The branch rule on the slots; returns the slot or -1, leaving the filled flows in flow.
  int choose(double u) {
    const double r = u * sum;
    if (count > 3) {
      double cum = 0.0;
      for (int i = 0; i < count; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const double next = i == count - 1 ? 1.00001 * sum : cum + flow[k];
        if (cum <= r && r < next) return i;
        cum = cum + flow[k];
      }
      return -1;
    }
    if (flow[0] == 0.0) flow[0] = flow[1] = flow[2] = sum;
    if (flow[1] == 0.0) flow[1] = sum, flow[2] = 0.0;
    if (flow[2] == 0.0) flow[2] = sum;
    if (0.0 <= r && r < flow[0]) return 0;
    if (flow[0] <= r && r < flow[0] + flow[1]) return 1;
    if (flow[0] + flow[1] <= r && r < 1.00001 * sum) return 2;
    return -1;
  }
};

class NetworkWalk {
 public:
  NetworkWalk(const RunOptions& o, const Backbone& b) : o_(o), b_(b) {
    auto inWindow = [&](double px, double py) {
      return (o.scellx - 1) * o.cellSizeX <= px && px <= (o.ecellx - 1) * o.cellSizeX &&
             (o.scelly - 1) * o.cellSizeY <= py && py <= (o.ecelly - 1) * o.cellSizeY;
    };
    for (std::size_t s = 0; s < b.segments.size(); ++s) {
      const Segment& g = b.segments[s];
      if (inWindow(g.x1, g.y1) && b.head1[s] > b.head2[s]) {
        records_.push_back(
            {g.x1, g.y1, g.x2, g.y2, flowAlong(b.head1[s], b.head2[s], g.perm, lengthOf(g))});
      }
      if (inWindow(g.x2, g.y2) && b.head2[s] > b.head1[s]) {
        records_.push_back(
            {g.x2, g.y2, g.x1, g.y1, flowAlong(b.head2[s], b.head1[s], g.perm, lengthOf(g))});
      }
    }
    cum_.assign(records_.size() + 1, 0.0);
    for (std::size_t i = 0; i < records_.size(); ++i) {
      cum_[i + 1] = cum_[i] + 1.0 / static_cast<double>(records_.size());
    }
  }
  int count() const { return static_cast<int>(records_.size()); }

  ParticleStop track(random::RandomStream& random) {
    double x = 0.0, y = 0.0, t = 0.0;
    std::size_t chosen = 0;
    const double u = random.uniform();
    for (std::size_t i = 0; i < records_.size(); ++i) {
      if (cum_[i] <= u && u < cum_[i + 1]) {
        chosen = i;
        const Record& r = records_[i];
        x = r.endX, y = r.endY;
        t += std::sqrt((r.endX - r.startX) * (r.endX - r.startX) +
                       (r.endY - r.startY) * (r.endY - r.startY)) /
             r.flow;
        break;
      }
    }
    ParticleStop stop;
    stop.startX = records_[chosen].startX;
    stop.startY = records_[chosen].startY;
    stop.end = WalkEnd::Arrived;
    while (!(x == 0.0 || x == o_.domainL || y == 0.0 || y == o_.domainW)) {
      const double prevX = x, prevY = y;
      for (double& f : slots_.flow) f = 0.0;
      slots_.count = 0;
      slots_.sum = 0.0;
      for (std::size_t s = 0; s < b_.segments.size(); ++s) {
        const Segment& g = b_.segments[s];
        const double h1 = b_.head1[s], h2 = b_.head2[s];
        if (endMatches(g.x1, g.y1, x, y) && h1 > h2) {
          slots_.put(flowAlong(h1, h2, g.perm, lengthOf(g)), g.x1, g.y1, g.x2, g.y2);
        } else if (endMatches(g.x2, g.y2, x, y) && h2 > h1) {
          slots_.put(flowAlong(h2, h1, g.perm, lengthOf(g)), g.x2, g.y2, g.x1, g.y1);
        }
      }
      const int c = slots_.choose(random.uniform());
      if (c >= 0) {
        const auto k = static_cast<std::size_t>(c);
        x = slots_.destX[k], y = slots_.destY[k];
        t += std::sqrt((x - slots_.a[k]) * (x - slots_.a[k]) +
                       (y - slots_.b[k]) * (y - slots_.b[k])) /
             slots_.flow[k];
      }
      if (t > o_.bcsize * 1.001 * o_.bcstep) {
        stop.end = WalkEnd::TimedOut;
        break;
      }
      if (x == prevX && y == prevY) {
        stop.end = WalkEnd::Stuck;
        break;
      }
    }
    if (stop.end == WalkEnd::Arrived) {
      stop.hasFace = true;
      stop.face = y == o_.domainW ? kTop : x == o_.domainL ? kRight : y == 0.0 ? kBottom : kLeft;
    }
    stop.x = x, stop.y = y, stop.t = t;
    return stop;
  }

 private:
  struct Record {
    double startX, startY, endX, endY, flow;
  };
  const RunOptions& o_;
  const Backbone& b_;
  std::vector<Record> records_;
  std::vector<double> cum_;
  Slots slots_;
};

// Q is the neighbour of the position (x, y) across face f: the grid's relative window about
// the shifted centre.
inline bool isNeighbour(const Cell& q, int f, double x, double y, double dx, double dy) {
  double px = x, py = y;
  if (f == kTop) py = y + dy;
  if (f == kRight) px = x + dx;
  if (f == kBottom) py = y - dy;
  if (f == kLeft) px = x - dx;
  return 0.9999 * px < q.center[0] && q.center[0] < 1.0001 * px && 0.9999 * py < q.center[1] &&
         q.center[1] < 1.0001 * py;
}

inline double fluxAcross(const Cell& p, const Cell& q, int f, double dx, double dy) {
  const double d = (f == kTop || f == kBottom) ? dy : dx;
  const double a = p.faceK[f], b = q.faceK[(f + 2) % 4];
  return 2.0 * a * b / (a + b) * ((p.head - q.head) / d) * 0.01;
}

inline double throughflowOf(const std::vector<Cell>& cells, const Cell& p, double dx, double dy) {
  double sum = 0.0;
  for (int f = 0; f < 4; ++f) {
    for (const Cell& q : cells) {
      if (isNeighbour(q, f, p.center[0], p.center[1], dx, dy) &&
          p.faceK[f] + q.faceK[(f + 2) % 4] != 0.0) {
        sum += std::fabs(fluxAcross(p, q, f, dx, dy));
        break;
      }
    }
  }
  return 0.5 * sum;
}

class GridWalk {
 public:
  GridWalk(const RunOptions& o, const std::vector<Cell>& cells) : o_(o), cells_(cells) {
    const double dx = o.cellSizeX, dy = o.cellSizeY;
    double total = 0.0;
    for (std::size_t c = 0; c < cells.size(); ++c) {
      const Cell& p = cells[c];
      if (!((o.scellx - 1) * dx < p.center[0] && p.center[0] < (o.ecellx - 1) * dx &&
            (o.scelly - 1) * dy < p.center[1] && p.center[1] < (o.ecelly - 1) * dy)) {
        continue;
      }
      const double tf = throughflowOf(cells, p, dx, dy);
      if (!(tf > 0.0)) continue;
      records_.push_back(c);
      throughflow_.push_back(tf);
      total += tf;
    }
    cum_.assign(records_.size() + 1, 0.0);
    for (std::size_t i = 0; i < records_.size(); ++i)
      cum_[i + 1] = cum_[i] + throughflow_[i] / total;
  }
  int count() const { return static_cast<int>(records_.size()); }

  ParticleStop track(random::RandomStream& random) {
    const double dx = o_.cellSizeX, dy = o_.cellSizeY, L = o_.domainL, W = o_.domainW;
    double x = 0.0, y = 0.0, t = 0.0;
    const double u = random.uniform();
    for (std::size_t i = 0; i < records_.size(); ++i) {
      if (cum_[i] <= u && u < cum_[i + 1]) {
        const Cell& p = cells_[records_[i]];
        x = p.center[0], y = p.center[1];
        gather(p, x, y);
        break;
      }
    }
    ParticleStop stop;
    stop.startX = x, stop.startY = y;
    move(random.uniform(), x, y, t);
    stop.end = WalkEnd::Arrived;
    while (true) {
      const double prevX = x, prevY = y;
      clear();
      const Cell* current = nullptr;
      for (const Cell& c : cells_) {
        if (c.center[0] == x && c.center[1] == y) {
          current = &c;
          break;
        }
      }
      auto band = [](double v, double c) { return 0.999999 * c <= v && v <= 1.000001 * c; };
      if (band(y, W - 0.5 * dy) || band(x, L - 0.5 * dx) || band(y, 0.5 * dy) || band(x, 0.5 * dx))
        break;
      if (current != nullptr) gather(*current, x, y);
      move(random.uniform(), x, y, t);
      if (t > o_.bcsize * 1.001 * o_.bcstep) {
        stop.end = WalkEnd::TimedOut;
        break;
      }
      if (x == prevX && y == prevY) {
        stop.end = WalkEnd::Stuck;
        break;
      }
      if (!(0.500005 * dx < x && x < 0.999999 * (L - 0.5 * dx) && 0.5000005 * dy < y &&
            y < 0.999999 * (W - 0.5 * dy))) {
        break;
      }
    }
    if (stop.end == WalkEnd::Arrived) {
      const bool mid = 0.5000005 * dx < x && x < 0.999999 * (L - 0.5 * dx);
      stop.hasFace = true;
      if (y > 0.999999 * (W - 0.5 * dy) && mid) {
        stop.face = kTop;
      } else if (x > 0.999999 * (L - 0.5 * dx)) {
        stop.face = kRight;
      } else if (y < 1.000001 * (0.5 * dy) && mid) {
        stop.face = kBottom;
      } else if (x < 1.000001 * (0.5 * dx)) {
        stop.face = kLeft;
      } else {
        stop.hasFace = false;
      }
    }
    stop.x = x, stop.y = y, stop.t = t;
    return stop;
  }

 private:
  void clear() {
    for (auto* v : {&slots_.flow, &slots_.a, &slots_.b, &slots_.destX, &slots_.destY}) {
      for (double& e : *v) e = 0.0;
    }
    slots_.count = 0;
    slots_.sum = 0.0;
  }
  void gather(const Cell& p, double x, double y) {
    clear();
    for (const Cell& q : cells_) {
      for (int f = 0; f < 4; ++f) {
        if (!isNeighbour(q, f, x, y, o_.cellSizeX, o_.cellSizeY)) continue;
        const int g = (f + 2) % 4;
        if (p.head > q.head && p.faceK[f] + q.faceK[g] != 0.0) {
          slots_.put(fluxAcross(p, q, f, o_.cellSizeX, o_.cellSizeY), p.crfactor[f], q.crfactor[g],
                     q.center[0], q.center[1]);
        }
        break;
      }
    }
  }
  void move(double u, double& x, double& y, double& t) {
    const int c = slots_.choose(u);
    if (c < 0) return;
    const auto k = static_cast<std::size_t>(c);
    const double dxm = slots_.destX[k] - x, dym = slots_.destY[k] - y;
    t += std::sqrt(dxm * dxm + dym * dym) / slots_.flow[k] / ((slots_.a[k] + slots_.b[k]) * 0.5);
    x = slots_.destX[k], y = slots_.destY[k];
  }

  const RunOptions& o_;
  const std::vector<Cell>& cells_;
  std::vector<std::size_t> records_;
  std::vector<double> throughflow_;
  std::vector<double> cum_;
  Slots slots_;
};

}  // namespace fracflow::transport::literal
