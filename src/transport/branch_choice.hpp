// Where the flow splits, one uniform draw picks the branch a particle follows, with a chance
// proportional to the branch's flow. Both walks (network nodes, grid cells) share the rule.
#pragma once

#include <span>

namespace fracflow::transport {

struct BranchChoice {
  int slot = -1;      // the chosen candidate; -1: the particle does not move
  double flow = 0.0;  // the flow the travel time of the move is divided by
};

// flows: the downhill candidates in the order they were gathered; sum: their flows added in
// that order; u: the uniform draw of this step.
//
// Up to three candidates share three slots. Empty slots are first filled from the sum
// (which lets a zero-flow candidate be taken at the pace of the whole sum), then r = u·sum
// picks slot 0, 1 or 2 by the cumulative bounds, the last bound widened to 1.00001·sum. The
// chosen slot can lie past the candidates only for degenerate flows (subnormal or negative);
// the caller then moves to what that slot last held.
//
// Four or more candidates (only at a local head maximum) are all kept: candidate i is taken
// when cum_i ≤ r < cum_(i+1), the last upper bound again 1.00001·sum.
BranchChoice chooseBranch(std::span<const double> flows, double sum, double u);

}  // namespace fracflow::transport
