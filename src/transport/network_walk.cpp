// The particle walk on the backbone.
#include "transport/network_walk.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <span>

#include "io/check.hpp"
#include "transport/branch_choice.hpp"
#include "transport/breakthrough_curve.hpp"

namespace fracflow::transport {
namespace {

double distance(double ax, double ay, double bx, double by) {
  return std::sqrt((bx - ax) * (bx - ax) + (by - ay) * (by - ay));
}

}  // namespace

NetworkWalk::NetworkWalk(const RunOptions& options, const Backbone& backbone,
                         const NetworkInjectionTable& table)
    : backbone_(backbone),
      table_(table),
      domainL_(options.domainL),
      domainW_(options.domainW),
      timeLimit_(timeLimit(options)),
      index_(backbone.segments),
      steps_(2 * backbone.segments.size()) {
  FRACFLOW_CHECK(table.count() > 0);
  FRACFLOW_CHECK(backbone.head1.size() == backbone.segments.size() &&
                 backbone.head2.size() == backbone.segments.size());
}

const NetworkWalk::EndStep& NetworkWalk::stepAt(int end) {
  EndStep& step = steps_[static_cast<std::size_t>(end)];
  if (step.first >= 0) return step;
  const double x = endX(backbone_, end), y = endY(backbone_, end);
  index_.segmentsAt(x, y, scratchSegments_);
  const double sum = gatherNetworkCandidates(backbone_, scratchSegments_, x, y, scratchCandidates_);
  step.first = static_cast<int>(candidates_.size());
  step.count = static_cast<int>(scratchCandidates_.size());
  for (const NetworkCandidate& c : scratchCandidates_) flows_.push_back(c.flow);
  const std::span<const double> flows(flows_.data() + step.first, scratchCandidates_.size());
  step.branches = prepareBranches(flows, sum);
  for (std::size_t k = 0; k < scratchCandidates_.size(); ++k) {
    const NetworkCandidate& c = scratchCandidates_[k];
    // The flow a move divides by: its filled slot, or its own flow for four or more.
    const double flow = step.branches.cumulative ? c.flow : step.branches.slot[k];
    moves_.push_back({c.length / flow, endX(backbone_, c.destinationEnd),
                      endY(backbone_, c.destinationEnd), c.destinationEnd});
    candidates_.push_back(c);
  }
  return step;
}

ParticleStop NetworkWalk::trackParticle(random::RandomStream& random) {
  double x = 0.0, y = 0.0, t = 0.0;
  int chosen = 0;
  int position = -1;  // the end number the particle stands on; -1 at (0, 0)
  const int drawn = table_.bounds.find(random.uniform());
  if (drawn >= 0) {
    chosen = drawn;
    const InjectionSegment& record = table_.records[static_cast<std::size_t>(drawn)];
    x = record.endX;
    y = record.endY;
    position = record.downstreamEnd;
    t += distance(record.startX, record.startY, record.endX, record.endY) / record.injectionFlow;
  }
  ParticleStop stop;
  stop.startX = table_.records[static_cast<std::size_t>(chosen)].startX;
  stop.startY = table_.records[static_cast<std::size_t>(chosen)].startY;
  stop.end = WalkEnd::Arrived;

  while (!(x == 0.0 || x == domainL_ || y == 0.0 || y == domainW_)) {
    const double prevX = x, prevY = y;
    // Off the ends only (0, 0) is reachable, and it lies on an edge.
    FRACFLOW_CHECK(position >= 0);
    const EndStep& step = stepAt(position);
    const auto first = static_cast<std::size_t>(step.first);
    const auto count = static_cast<std::size_t>(step.count);
    for (std::size_t i = 0; i < std::min<std::size_t>(count, 3); ++i) {
      slotSource_[i] = static_cast<int>(first + i);
    }
    const BranchChoice choice =
        chooseBranch(step.branches, std::span<const double>(flows_.data() + first, count),
                     random.uniform());
    if (choice.slot >= 0) {
      const auto slot = static_cast<std::size_t>(choice.slot);
      if (slot < count) {
        const Move& move = moves_[first + slot];
        position = move.end;
        x = move.x;
        y = move.y;
        t += move.time;
      } else if (slotSource_[slot] >= 0) {
        const NetworkCandidate& held = candidates_[static_cast<std::size_t>(slotSource_[slot])];
        position = held.destinationEnd;
        x = endX(backbone_, position);
        y = endY(backbone_, position);
        t += held.length / choice.flow;
      } else {
        position = -1;
        x = 0.0;
        y = 0.0;
        t += 0.0 / choice.flow;
      }
    }
    if (t > timeLimit_) {
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
