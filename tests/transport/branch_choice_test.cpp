#include "transport/branch_choice.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace fracflow::transport {
namespace {

double sumOf(const std::vector<double>& flows) {
  double sum = 0.0;
  for (const double f : flows) sum += f;
  return sum;
}

TEST(BranchChoice, PicksBySlotsOrByCumulativeFlow) {
  struct Case {
    const char* name;
    std::vector<double> flows;
    double u;
    int slot;
    double flow;  // the flow the travel time is divided by
  } cases[] = {
      {"no candidate: no move", {}, 0.5, -1, 0.0},
      {"one candidate is always taken", {2.0}, 0.99999901, 0, 2.0},
      {"1 : 3, r below the first bound", {1.0, 3.0}, 0.2499, 0, 1.0},
      {"1 : 3, r at the first bound", {1.0, 3.0}, 0.25, 1, 3.0},
      {"three candidates, the last", {1.0, 1.0, 2.0}, 0.75, 2, 2.0},
      {"three candidates, the middle", {1.0, 1.0, 2.0}, 0.49, 1, 1.0},
      // A zero-flow candidate in slot 0: every slot takes the sum, so slot 0 always wins and
      // the move runs at the pace of the sum.
      {"zero flow first", {0.0, 4.0}, 0.9, 0, 4.0},
      // A zero-flow candidate in slot 1 of three takes the sum and the rest of the range.
      {"zero flow in the middle", {1.0, 0.0, 3.0}, 0.3, 1, 4.0},
      {"zero flow in the middle, below", {1.0, 0.0, 3.0}, 0.2, 0, 1.0},
      {"a lone zero-flow candidate stays", {0.0}, 0.5, -1, 0.0},
      // Four or more: plain cumulative bounds.
      {"four, the first", {1.0, 1.0, 1.0, 1.0}, 0.2, 0, 1.0},
      {"four, the third", {1.0, 1.0, 1.0, 1.0}, 0.5, 2, 1.0},
      {"four, the last", {1.0, 1.0, 1.0, 1.0}, 0.99, 3, 1.0},
      {"five with a zero flow, which is never taken", {1.0, 0.0, 1.0, 1.0, 1.0}, 0.25, 2, 1.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const BranchChoice choice = chooseBranch(c.flows, sumOf(c.flows), c.u);
    EXPECT_EQ(choice.slot, c.slot);
    if (c.slot >= 0) {
      EXPECT_EQ(choice.flow, c.flow);
    }
  }
}

TEST(BranchChoice, SplitsOneToThreeOverTheDraws) {
  // u runs over the 32768 deviates of the stream; r = u·4 below 1 picks the first.
  const std::vector<double> flows = {1.0, 3.0};
  int first = 0;
  for (int raw = 0; raw <= 32767; ++raw) {
    const double u = 0.999999 * (raw / 32767.0) + 1e-8;
    if (chooseBranch(flows, 4.0, u).slot == 0) ++first;
  }
  EXPECT_NEAR(first / 32768.0, 0.25, 1e-4);
}

}  // namespace
}  // namespace fracflow::transport
