// The particle walk on the backbone.
#include "transport/network_walk.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <limits>
#include <span>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "io/check.hpp"
#include "transport/breakthrough_curve.hpp"

namespace fracflow::transport {
namespace {

double distance(double ax, double ay, double bx, double by) {
  return std::sqrt((bx - ax) * (bx - ax) + (by - ay) * (by - ay));
}

struct PairHash {
  std::size_t operator()(const std::pair<std::uint64_t, std::uint64_t>& p) const {
    return std::hash<std::uint64_t>()(p.first * 0x9e3779b97f4a7c15ull ^ p.second);
  }
};

// Sort keys that put the places along the dominant flow direction: bands across the flow,
// and within a band the places in the direction the heads fall (from a least-squares plane
// through the end heads).
std::vector<std::pair<double, double>> layoutKeys(const Backbone& b, const std::vector<double>& xs,
                                                  const std::vector<double>& ys) {
  double n = 0.0, mx = 0.0, my = 0.0, mh = 0.0;
  auto each = [&](auto visit) {
    for (std::size_t s = 0; s < b.segments.size(); ++s) {
      const Segment& g = b.segments[s];
      visit(g.x1, g.y1, b.head1[s]);
      visit(g.x2, g.y2, b.head2[s]);
    }
  };
  auto finite = [](double x, double y, double h) {
    return std::isfinite(x) && std::isfinite(y) && std::isfinite(h);
  };
  each([&](double x, double y, double h) {
    if (!finite(x, y, h)) return;
    n += 1.0, mx += x, my += y, mh += h;
  });
  bool alongX = true, ascending = true;
  if (n > 0.0) {
    mx /= n, my /= n, mh /= n;
    double sxx = 0.0, syy = 0.0, sxy = 0.0, sxh = 0.0, syh = 0.0;
    each([&](double x, double y, double h) {
      if (!finite(x, y, h)) return;
      const double dx = x - mx, dy = y - my, dh = h - mh;
      sxx += dx * dx, syy += dy * dy, sxy += dx * dy, sxh += dx * dh, syh += dy * dh;
    });
    const double det = sxx * syy - sxy * sxy;
    if (det > 0.0) {
      const double gx = (sxh * syy - syh * sxy) / det;
      const double gy = (syh * sxx - sxh * sxy) / det;
      alongX = std::fabs(gx) >= std::fabs(gy);
      ascending = !((alongX ? gx : gy) > 0.0);
    }
  }
  double lo = std::numeric_limits<double>::infinity(), hi = -lo;
  for (std::size_t p = 0; p < xs.size(); ++p) {
    const double across = alongX ? ys[p] : xs[p];
    if (std::isfinite(across)) {
      lo = std::min(lo, across);
      hi = std::max(hi, across);
    }
  }
  const double bands = std::max(1.0, std::floor(std::sqrt(static_cast<double>(xs.size())) / 2.0));
  const double width = hi > lo ? (hi - lo) / bands : 1.0;
  std::vector<std::pair<double, double>> keys(xs.size());
  for (std::size_t p = 0; p < xs.size(); ++p) {
    const double across = alongX ? ys[p] : xs[p];
    const double along = alongX ? xs[p] : ys[p];
    const double band = std::isfinite(across) ? std::floor((across - lo) / width) : 0.0;
    keys[p] = {band, std::isnan(along) ? 0.0 : (ascending ? along : -along)};
  }
  return keys;
}

}  // namespace

NetworkWalk::NetworkWalk(const RunOptions& options, const Backbone& backbone,
                         const NetworkInjectionTable& table)
    : backbone_(backbone),
      table_(table),
      domainL_(options.domainL),
      domainW_(options.domainW),
      timeLimit_(timeLimit(options)),
      index_(backbone.segments) {
  FRACFLOW_CHECK(table.count() > 0);
  FRACFLOW_CHECK(backbone.head1.size() == backbone.segments.size() &&
                 backbone.head2.size() == backbone.segments.size());

  // Places: the distinct coordinates of the ends, bit for bit (a -0 stays apart from a 0,
  // since the coordinates are written out as they are).
  const std::size_t ends = 2 * backbone.segments.size();
  std::unordered_map<std::pair<std::uint64_t, std::uint64_t>, int, PairHash> placeOf;
  placeOf.reserve(ends);
  std::vector<int> provisional(ends);
  std::vector<double> xs, ys;
  for (std::size_t e = 0; e < ends; ++e) {
    const double x = endX(backbone, static_cast<int>(e)), y = endY(backbone, static_cast<int>(e));
    const auto key = std::pair{std::bit_cast<std::uint64_t>(x), std::bit_cast<std::uint64_t>(y)};
    const auto [it, added] = placeOf.try_emplace(key, static_cast<int>(xs.size()));
    if (added) {
      xs.push_back(x);
      ys.push_back(y);
    }
    provisional[e] = it->second;
  }
  const std::vector<std::pair<double, double>> keys = layoutKeys(backbone, xs, ys);
  std::vector<int> order(xs.size());
  for (std::size_t p = 0; p < order.size(); ++p) order[p] = static_cast<int>(p);
  std::sort(order.begin(), order.end(), [&](int a, int b) {
    return std::tie(keys[static_cast<std::size_t>(a)], a) <
           std::tie(keys[static_cast<std::size_t>(b)], b);
  });
  std::vector<int> finalOf(xs.size());
  const std::size_t places = xs.size();
  placeX_.resize(places);
  placeY_.resize(places);
  for (std::size_t r = 0; r < places; ++r) {
    const auto p = static_cast<std::size_t>(order[r]);
    finalOf[p] = static_cast<int>(r);
    placeX_[r] = xs[p];
    placeY_[r] = ys[p];
  }
  placeOfEnd_.resize(ends);
  for (std::size_t e = 0; e < ends; ++e) {
    placeOfEnd_[e] = finalOf[static_cast<std::size_t>(provisional[e])];
  }

  steps_.resize(places);
  times3_.assign(3 * places, 0.0);
  first_.assign(places, -1);
  count_.assign(places, 0);
  sum_.assign(places, 0.0);
  for (std::size_t r = 0; r < places; ++r) {
    const double x = placeX_[r], y = placeY_[r];
    std::uint16_t flags = 0;
    if (x == 0.0 || x == domainL_ || y == 0.0 || y == domainW_) flags |= kOnEdge;
    steps_[r].flags = flags;
  }
}

NetworkWalk::PlaceStep& NetworkWalk::gathered(int place) {
  const auto r = static_cast<std::size_t>(place);
  PlaceStep& step = steps_[r];
  if (step.flags & kGathered) return step;
  const double x = placeX_[r], y = placeY_[r];
  index_.segmentsAt(x, y, scratchSegments_);
  const double sum = gatherNetworkCandidates(backbone_, scratchSegments_, x, y, scratchCandidates_);
  const std::size_t count = scratchCandidates_.size();
  first_[r] = static_cast<int>(candidates_.size());
  count_[r] = static_cast<int>(count);
  sum_[r] = sum;
  for (const NetworkCandidate& c : scratchCandidates_) flows_.push_back(c.flow);
  const PreparedBranches branches =
      prepareBranches(std::span<const double>(flows_.data() + first_[r], count), sum);
  std::uint16_t flags = kGathered | static_cast<std::uint16_t>(std::min<std::size_t>(count, 4));
  if (drawBounds(branches, step.bounds)) flags |= kByDraw;
  for (std::size_t k = 0; k < count; ++k) {
    const NetworkCandidate& c = scratchCandidates_[k];
    // A move divides by its filled slot, or by its own flow among four or more.
    const double time = c.length / (branches.cumulative ? c.flow : branches.slot[k]);
    const int to = placeOfEnd_[static_cast<std::size_t>(c.destinationEnd)];
    times_.push_back(time);
    to_.push_back(to);
    candidates_.push_back(c);
    if (k < 3) {
      times3_[3 * r + k] = time;
      step.to[k] = to;
      const auto t = static_cast<std::size_t>(to);
      if (placeX_[t] == x && placeY_[t] == y) flags |= static_cast<std::uint16_t>(kSamePlace << k);
    }
  }
  step.flags |= flags;
  return step;
}

bool NetworkWalk::moveSlowly(int place, int slot, int& next, double& t) {
  const auto r = static_cast<std::size_t>(place);
  const std::span<const double> flows(flows_.data() + first_[r],
                                      static_cast<std::size_t>(count_[r]));
  const PreparedBranches branches = prepareBranches(flows, sum_[r]);
  const double x = placeX_[r], y = placeY_[r];
  if (slot < count_[r]) {
    const auto k = static_cast<std::size_t>(first_[r] + slot);
    t += times_[k];
    next = to_[k];
  } else if (slotPlace_[slot] >= 0) {
    // The candidate this slot last held, moved along at this step's slot flow.
    const auto held =
        static_cast<std::size_t>(first_[static_cast<std::size_t>(slotPlace_[slot])] + slot);
    t += candidates_[held].length / branches.slot[slot];
    next = to_[held];
  } else {
    t += 0.0 / branches.slot[slot];
    next = -1;  // (0, 0)
    return x == 0.0 && y == 0.0;
  }
  const auto n = static_cast<std::size_t>(next);
  return placeX_[n] == x && placeY_[n] == y;
}

ParticleStop NetworkWalk::trackParticle(random::RandomStream& random) {
  double t = 0.0;
  int chosen = 0;
  int place = -1;  // the place the particle stands on; -1 at (0, 0)
  const int drawn = table_.bounds.find(random.uniform());
  if (drawn >= 0) {
    chosen = drawn;
    const InjectionSegment& record = table_.records[static_cast<std::size_t>(drawn)];
    place = placeOfEnd_[static_cast<std::size_t>(record.downstreamEnd)];
    t += distance(record.startX, record.startY, record.endX, record.endY) / record.injectionFlow;
  }
  ParticleStop stop;
  stop.startX = table_.records[static_cast<std::size_t>(chosen)].startX;
  stop.startY = table_.records[static_cast<std::size_t>(chosen)].startY;
  stop.end = WalkEnd::Arrived;

  // (0, 0) lies on an edge, so the walk leaves the loop there.
  while (place >= 0 && !(steps_[static_cast<std::size_t>(place)].flags & kOnEdge)) {
    const PlaceStep& step = gathered(place);
    const std::uint16_t count = step.flags & kCountMask;
    for (int i = 0; i < std::min<int>(count, 3); ++i) slotPlace_[i] = place;
    const int raw = random.rawDraw();
    int slot = -1;
    if (step.flags & kByDraw) {
      slot = pickByDraw(step.bounds, raw);
    } else {
      const auto r = static_cast<std::size_t>(place);
      const std::span<const double> flows(flows_.data() + first_[r],
                                          static_cast<std::size_t>(count_[r]));
      slot =
          chooseBranch(prepareBranches(flows, sum_[r]), flows, random::RandomStream::uniformOf(raw))
              .slot;
    }
    bool stayed = true;
    if (slot >= 0 && slot < 3 && slot < count) {
      t += times3_[3 * static_cast<std::size_t>(place) + static_cast<std::size_t>(slot)];
      stayed = (step.flags & (kSamePlace << slot)) != 0;
      place = step.to[slot];
    } else if (slot >= 0) {
      int next = -1;
      stayed = moveSlowly(place, slot, next, t);
      place = next;
    }
    if (t > timeLimit_) {
      stop.end = WalkEnd::TimedOut;
      break;
    }
    // A particle that does not move is stuck, also at coordinates that are no numbers
    // (which never equal themselves): nothing could ever move it on, and the walk would not
    // end.
    if (stayed) {
      stop.end = WalkEnd::Stuck;
      break;
    }
  }

  const double x = place >= 0 ? placeX_[static_cast<std::size_t>(place)] : 0.0;
  const double y = place >= 0 ? placeY_[static_cast<std::size_t>(place)] : 0.0;
  if (stop.end == WalkEnd::Arrived) {
    stop.hasFace = true;
    if (y == domainW_) {
      stop.face = kTop;
    } else if (x == domainL_) {
      stop.face = kRight;
    } else if (y == 0.0) {
      stop.face = kBottom;
    } else {
      stop.face = kLeft;
    }
  }
  stop.x = x;
  stop.y = y;
  stop.t = t;
  return stop;
}

}  // namespace fracflow::transport
