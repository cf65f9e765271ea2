// The particle walk on the grid.
#include "transport/grid_walk.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <span>
#include <utility>

#include "core/model_constants.hpp"
#include "io/check.hpp"
#include "transport/breakthrough_curve.hpp"

namespace fracflow::transport {
namespace {

// The column (or row) of a coordinate, clamped to the grid; NaN gives 0.
std::uint64_t gridLineOf(double coordinate, double size, int count) {
  const double k = std::floor(coordinate / size);
  if (!(k >= 0.0)) return 0;
  if (k >= static_cast<double>(count - 1))
    return static_cast<std::uint64_t>(std::max(count - 1, 0));
  return static_cast<std::uint64_t>(k);
}

// The direction the heads fall in, from a least-squares plane through the cell heads.
struct FlowDirection {
  bool alongX = true;     // the heads fall faster along x than along y
  bool ascending = true;  // towards larger coordinates
};

FlowDirection dominantFlow(const std::vector<Cell>& cells) {
  double n = 0.0, mx = 0.0, my = 0.0, mh = 0.0;
  for (const Cell& c : cells) {
    if (!std::isfinite(c.center[0]) || !std::isfinite(c.center[1]) || !std::isfinite(c.head)) {
      continue;
    }
    n += 1.0;
    mx += c.center[0];
    my += c.center[1];
    mh += c.head;
  }
  if (n == 0.0) return {};
  mx /= n, my /= n, mh /= n;
  double sxx = 0.0, syy = 0.0, sxy = 0.0, sxh = 0.0, syh = 0.0;
  for (const Cell& c : cells) {
    if (!std::isfinite(c.center[0]) || !std::isfinite(c.center[1]) || !std::isfinite(c.head)) {
      continue;
    }
    const double dx = c.center[0] - mx, dy = c.center[1] - my, dh = c.head - mh;
    sxx += dx * dx, syy += dy * dy, sxy += dx * dy, sxh += dx * dh, syh += dy * dh;
  }
  const double det = sxx * syy - sxy * sxy;
  if (!(det > 0.0)) return {};
  const double gx = (sxh * syy - syh * sxy) / det;
  const double gy = (syh * sxx - sxh * sxy) / det;
  if (std::fabs(gx) >= std::fabs(gy)) return {true, !(gx > 0.0)};
  return {false, !(gy > 0.0)};
}

}  // namespace

GridWalk::GridWalk(const RunOptions& options, const CellTable& table, const grid::CellIndex& index,
                   const GridInjectionTable& injection)
    : cells_(table.cells),
      index_(index),
      injection_(injection),
      cellSizeX_(options.cellSizeX),
      cellSizeY_(options.cellSizeY),
      timeLimit_(timeLimit(options)) {
  FRACFLOW_CHECK(injection.count() > 0);
  const double topRow = options.domainW - 0.5 * cellSizeY_;
  const double rightColumn = options.domainL - 0.5 * cellSizeX_;
  const double bottomRow = 0.5 * cellSizeY_;
  const double leftColumn = 0.5 * cellSizeX_;
  topLo_ = kWindowLow * topRow;
  topHi_ = kWindowHigh * topRow;
  rightLo_ = kWindowLow * rightColumn;
  rightHi_ = kWindowHigh * rightColumn;
  bottomLo_ = kWindowLow * bottomRow;
  bottomHi_ = kWindowHigh * bottomRow;
  leftLo_ = kWindowLow * leftColumn;
  leftHi_ = kWindowHigh * leftColumn;
  interiorXLo_ = 0.500005 * cellSizeX_;
  interiorXHi_ = kWindowLow * rightColumn;
  interiorYLo_ = 0.5000005 * cellSizeY_;
  interiorYHi_ = kWindowLow * topRow;
  faceXLo_ = 0.5000005 * cellSizeX_;

  // Downstream neighbours along the dominant flow direction get the next record, so that a
  // walk mostly runs forward through memory.
  const std::size_t n = cells_.size();
  const FlowDirection flow = dominantFlow(cells_);
  const auto columns = static_cast<std::uint64_t>(std::max(options.cellx, 1));
  const auto rows = static_cast<std::uint64_t>(std::max(options.celly, 1));
  std::vector<std::pair<std::uint64_t, int>> keys(n);
  for (std::size_t m = 0; m < n; ++m) {
    const Cell& c = cells_[m];
    std::uint64_t i = gridLineOf(c.center[0], cellSizeX_, options.cellx);
    std::uint64_t j = gridLineOf(c.center[1], cellSizeY_, options.celly);
    if (flow.alongX && !flow.ascending) i = columns - 1 - i;
    if (!flow.alongX && !flow.ascending) j = rows - 1 - j;
    keys[m] = {flow.alongX ? j * columns + i : i * rows + j, static_cast<int>(m)};
  }
  std::sort(keys.begin(), keys.end());
  recordOf_.resize(n);
  cellOf_.resize(n);
  steps_.resize(n);
  times3_.assign(3 * n, 0.0);
  first_.assign(n, -1);
  count_.assign(n, 0);
  sum_.assign(n, 0.0);
  exact_.assign(n, -1);
  for (std::size_t r = 0; r < n; ++r) {
    const int m = keys[r].second;
    cellOf_[r] = m;
    recordOf_[static_cast<std::size_t>(m)] = static_cast<int>(r);
    const Where w{static_cast<int>(r), 0.0, 0.0};
    const double x = centreX(w), y = centreY(w);
    std::uint16_t flags = 0;
    if (inOutermostBand(x, y)) flags |= kInBand;
    if (interiorXLo_ < x && x < interiorXHi_ && interiorYLo_ < y && y < interiorYHi_) {
      flags |= kInterior;
    }
    if (x == x && y == y) flags |= kComparable;
    steps_[r].flags = flags;
  }
}

double GridWalk::centreX(const Where& w) const {
  return w.record < 0
             ? w.x
             : cells_[static_cast<std::size_t>(cellOf_[static_cast<std::size_t>(w.record)])]
                   .center[0];
}

double GridWalk::centreY(const Where& w) const {
  return w.record < 0
             ? w.y
             : cells_[static_cast<std::size_t>(cellOf_[static_cast<std::size_t>(w.record)])]
                   .center[1];
}

GridWalk::CellStep& GridWalk::gathered(int record) {
  const auto r = static_cast<std::size_t>(record);
  CellStep& step = steps_[r];
  if (step.flags & kGathered) return step;
  const int cell = cellOf_[r];
  const Cell& from = cells_[static_cast<std::size_t>(cell)];
  const double sum =
      gatherGridCandidates(cells_, index_, cellSizeX_, cellSizeY_, cell, from.center[0],
                           from.center[1], scratchCandidates_, scratchCells_);
  const std::size_t count = scratchCandidates_.size();
  first_[r] = static_cast<int>(candidates_.size());
  count_[r] = static_cast<int>(count);
  sum_[r] = sum;
  for (const GridCandidate& candidate : scratchCandidates_) flows_.push_back(candidate.flow);
  const PreparedBranches branches =
      prepareBranches(std::span<const double>(flows_.data() + first_[r], count), sum);
  std::uint16_t flags = kGathered | static_cast<std::uint16_t>(std::min<std::size_t>(count, 4));
  if (drawBounds(branches, step.bounds)) flags |= kByDraw;
  for (std::size_t k = 0; k < count; ++k) {
    const GridCandidate& candidate = scratchCandidates_[k];
    // A move divides by its filled slot, or by its own flow among four or more.
    const double flow = branches.cumulative ? candidate.flow : branches.slot[k];
    const double time = candidate.distance / flow / candidate.crMean;
    const int to = recordOf_[static_cast<std::size_t>(candidate.destinationCell)];
    to_.push_back(to);
    candidates_.push_back(candidate);
    if (k < 3) {
      times3_[3 * r + k] = time;
      step.to[k] = to;
      const Cell& next = cells_[static_cast<std::size_t>(candidate.destinationCell)];
      if (next.center[0] == from.center[0] && next.center[1] == from.center[1]) {
        flags |= static_cast<std::uint16_t>(kSameCentre << k);
      }
    }
  }
  step.flags |= flags;
  return step;
}

int GridWalk::currentRecord(const Where& w) {
  if (w.record < 0) {
    const int m = index_.findExact(w.x, w.y);
    return m < 0 ? -1 : recordOf_[static_cast<std::size_t>(m)];
  }
  const auto r = static_cast<std::size_t>(w.record);
  std::uint16_t& flags = steps_[r].flags;
  if (flags & kSelfExact) return w.record;
  if (!(flags & kExactKnown)) {
    const int m = index_.findExact(centreX(w), centreY(w));
    exact_[r] = m < 0 ? -1 : recordOf_[static_cast<std::size_t>(m)];
    flags |= kExactKnown;
    if (exact_[r] == w.record) flags |= kSelfExact;
  }
  return exact_[r];
}

bool GridWalk::inBand(const Where& w) const {
  return w.record < 0 ? inOutermostBand(w.x, w.y)
                      : (steps_[static_cast<std::size_t>(w.record)].flags & kInBand) != 0;
}

bool GridWalk::inInterior(const Where& w) const {
  if (w.record >= 0) return (steps_[static_cast<std::size_t>(w.record)].flags & kInterior) != 0;
  return interiorXLo_ < w.x && w.x < interiorXHi_ && interiorYLo_ < w.y && w.y < interiorYHi_;
}

bool GridWalk::chooseAndMove(random::RandomStream& random, bool atCentre, Where& w, double& t) {
  const int raw = random.rawDraw();
  // With the slots cleared or no branch taken the particle stays: the same place, unless
  // its coordinates are no numbers.
  const auto stays = [&] {
    return w.record < 0 ? (w.x == w.x && w.y == w.y)
                        : (steps_[static_cast<std::size_t>(w.record)].flags & kComparable) != 0;
  };
  if (gathered_ < 0) return stays();
  const CellStep& step = gathered(gathered_);
  const auto g = static_cast<std::size_t>(gathered_);
  int slot = -1;
  if (step.flags & kByDraw) {
    slot = pickByDraw(step.bounds, raw);
  } else {
    const std::span<const double> flows(flows_.data() + first_[g],
                                        static_cast<std::size_t>(count_[g]));
    slot =
        chooseBranch(prepareBranches(flows, sum_[g]), flows, random::RandomStream::uniformOf(raw))
            .slot;
  }
  if (slot < 0) return stays();
  // The count in the flags stands for four or more as 4, which suffices below slot 3.
  if (!atCentre || slot >= 3 || slot >= (step.flags & kCountMask)) return moveSlowly(slot, w, t);
  t += times3_[3 * g + static_cast<std::size_t>(slot)];
  w = Where{step.to[slot], 0.0, 0.0};
  return (step.flags & (kSameCentre << slot)) != 0;
}

bool GridWalk::moveSlowly(int slot, Where& w, double& t) {
  const auto g = static_cast<std::size_t>(gathered_);
  const double x = centreX(w), y = centreY(w);
  const std::span<const double> flows(flows_.data() + first_[g],
                                      static_cast<std::size_t>(count_[g]));
  const PreparedBranches branches = prepareBranches(flows, sum_[g]);
  if (slot < count_[g]) {
    const auto k = static_cast<std::size_t>(first_[g] + slot);
    const double flow =
        branches.cumulative ? flows[static_cast<std::size_t>(slot)] : branches.slot[slot];
    const Where next{to_[k], 0.0, 0.0};
    const double toX = centreX(next), toY = centreY(next);
    const double distance = std::sqrt((toX - x) * (toX - x) + (toY - y) * (toY - y));
    t += distance / flow / candidates_[k].crMean;
    w = next;
    return toX == x && toY == y;
  }
  // A slot past the candidates holds what gathering cleared it to: the point (0, 0) and
  // crfactor values of 0.
  const double distance = std::sqrt((0.0 - x) * (0.0 - x) + (0.0 - y) * (0.0 - y));
  t += distance / branches.slot[slot] / ((0.0 + 0.0) * 0.5);
  w = Where{-1, 0.0, 0.0};
  return 0.0 == x && 0.0 == y;
}

bool GridWalk::inOutermostBand(double x, double y) const {
  return (topLo_ <= y && y <= topHi_) || (rightLo_ <= x && x <= rightHi_) ||
         (bottomLo_ <= y && y <= bottomHi_) || (leftLo_ <= x && x <= leftHi_);
}

ParticleStop GridWalk::trackParticle(random::RandomStream& random) {
  Where w;
  double t = 0.0;
  const int drawn = injection_.bounds.find(random.uniform());
  if (drawn >= 0) {
    const int cell = injection_.records[static_cast<std::size_t>(drawn)].cell;
    w = Where{recordOf_[static_cast<std::size_t>(cell)], 0.0, 0.0};
    gathered_ = w.record;
  }
  ParticleStop stop;
  stop.startX = centreX(w);
  stop.startY = centreY(w);
  chooseAndMove(random, drawn >= 0, w, t);

  stop.end = WalkEnd::Arrived;
  while (true) {
    gathered_ = -1;
    const int current = currentRecord(w);
    if (inBand(w)) break;
    // The current cell's centre is the position itself.
    gathered_ = current;
    const bool stayed = chooseAndMove(random, true, w, t);
    if (t > timeLimit_) {
      stop.end = WalkEnd::TimedOut;
      break;
    }
    if (stayed) {
      stop.end = WalkEnd::Stuck;
      break;
    }
    if (!inInterior(w)) break;
  }

  const double x = centreX(w), y = centreY(w);
  if (stop.end == WalkEnd::Arrived) {
    const bool besideCorners = faceXLo_ < x && x < interiorXHi_;
    stop.hasFace = true;
    if (y > topLo_ && besideCorners) {
      stop.face = kTop;
    } else if (x > rightLo_) {
      stop.face = kRight;
    } else if (y < bottomHi_ && besideCorners) {
      stop.face = kBottom;
    } else if (x < leftHi_) {
      stop.face = kLeft;
    } else {
      stop.hasFace = false;
    }
  }
  stop.x = x;
  stop.y = y;
  stop.t = t;
  return stop;
}

}  // namespace fracflow::transport
