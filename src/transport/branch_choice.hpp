// Where the flow splits, one uniform draw picks the branch a particle follows, with a chance
// proportional to the branch's flow. Both walks (network nodes, grid cells) share the rule.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/model_constants.hpp"

namespace fracflow::transport {

struct BranchChoice {
  int slot = -1;      // the chosen candidate; -1: the particle does not move
  double flow = 0.0;  // the flow the travel time of the move is divided by
};

// The rule prepared once for one list of candidates, so that a step only compares.
//
// Up to three candidates share three slots. Empty slots are first filled from the sum
// (which lets a zero-flow candidate be taken at the pace of the whole sum), then r = u·sum
// picks slot 0, 1 or 2 by the cumulative bounds, the last bound widened to 1.00001·sum. The
// chosen slot can lie past the candidates only for degenerate flows (subnormal or negative);
// the caller then moves to what that slot last held.
//
// Four or more candidates (only at a local head maximum) are all kept: candidate i is taken
// when cum_i ≤ r < cum_(i+1), the last upper bound again 1.00001·sum.
struct PreparedBranches {
  double sum = 0.0;                  // the flows added in gathering order
  double slot[3] = {0.0, 0.0, 0.0};  // the filled slots
  bool cumulative = false;           // four or more candidates
};

PreparedBranches prepareBranches(std::span<const double> flows, double sum);

// The three-slot pick of r = u·sum among filled slots: 0, 1, 2, or -1 for no move.
inline int pickSlot(double slot0, double slot1, double sum, double r) {
  if (0.0 <= r && r < slot0) return 0;
  const double firstTwo = slot0 + slot1;
  if (slot0 <= r && r < firstTwo) return 1;
  if (firstTwo <= r && r < kLastSlotWidening * sum) return 2;
  return -1;
}

// Four or more candidates: the first i with cum_i ≤ r < cum_(i+1), or -1.
int pickCumulative(std::span<const double> flows, double sum, double r);

// u: the uniform draw of this step; flows: the candidates the branches were prepared from
// (read only for four or more).
inline BranchChoice chooseBranch(const PreparedBranches& b, std::span<const double> flows,
                                 double u) {
  const double r = u * b.sum;
  if (b.cumulative) {
    const int i = pickCumulative(flows, b.sum, r);
    return i < 0 ? BranchChoice{} : BranchChoice{i, flows[static_cast<std::size_t>(i)]};
  }
  const int slot = pickSlot(b.slot[0], b.slot[1], b.sum, r);
  return slot < 0 ? BranchChoice{} : BranchChoice{slot, b.slot[slot]};
}

// The rule in one call; flows in gathering order, sum their flows added in that order.
inline BranchChoice chooseBranch(std::span<const double> flows, double sum, double u) {
  return chooseBranch(prepareBranches(flows, sum), flows, u);
}

// The three-slot rule as bounds on the raw draw (0 ... 32767) behind u: slot 0 for
// raw < below[0], otherwise slot 1 for raw < below[1], otherwise slot 2 for raw < below[2],
// otherwise no move. With a sum that is no NaN and not negative, r = u·sum never falls as
// the raw draw rises and is never negative, so each test r < X of the rule holds for the raw
// draws below some bound, and (for X no NaN) X ≤ r for the others; the bounds then give
// exactly the rule's slot for every raw draw. Returns false where that does not hold
// (a negative or NaN sum, a NaN slot bound) or for four or more candidates.
struct DrawBounds {
  std::uint16_t below[3] = {0, 0, 0};
};

bool drawBounds(const PreparedBranches& b, DrawBounds& out);

inline int pickByDraw(const DrawBounds& bounds, int raw) {
  if (raw < bounds.below[0]) return 0;
  if (raw < bounds.below[1]) return 1;
  if (raw < bounds.below[2]) return 2;
  return -1;
}

}  // namespace fracflow::transport
