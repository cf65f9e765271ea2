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
      lists_(2 * backbone.segments.size()) {
  FRACFLOW_CHECK(table.count() > 0);
  FRACFLOW_CHECK(backbone.head1.size() == backbone.segments.size() &&
                 backbone.head2.size() == backbone.segments.size());
}

const NetworkWalk::CandidateList& NetworkWalk::candidatesAt(int end) {
  CandidateList& list = lists_[static_cast<std::size_t>(end)];
  if (list.first >= 0) return list;
  index_.segmentsAt(endX(backbone_, end), endY(backbone_, end), scratchSegments_);
  list.sum = gatherNetworkCandidates(backbone_, scratchSegments_, endX(backbone_, end),
                                     endY(backbone_, end), scratchCandidates_);
  list.first = static_cast<int>(candidates_.size());
  list.count = static_cast<int>(scratchCandidates_.size());
  for (const NetworkCandidate& c : scratchCandidates_) {
    candidates_.push_back(c);
    flows_.push_back(c.flow);
  }
  return list;
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
    const CandidateList& list = candidatesAt(position);
    const auto first = static_cast<std::size_t>(list.first);
    const auto count = static_cast<std::size_t>(list.count);
    for (std::size_t i = 0; i < std::min<std::size_t>(count, 3); ++i) {
      slots_[i] = candidates_[first + i];
    }
    const BranchChoice choice = chooseBranch(
        std::span<const double>(flows_.data() + first, count), list.sum, random.uniform());
    if (choice.slot >= 0) {
      const auto slot = static_cast<std::size_t>(choice.slot);
      const NetworkCandidate move = count <= 3 ? slots_[slot] : candidates_[first + slot];
      position = move.destinationEnd;
      x = position >= 0 ? endX(backbone_, position) : 0.0;
      y = position >= 0 ? endY(backbone_, position) : 0.0;
      t += move.length / choice.flow;
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
