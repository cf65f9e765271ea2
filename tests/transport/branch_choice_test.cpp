#include "transport/branch_choice.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "random/random_stream.hpp"

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

TEST(BranchChoice, DrawBoundsGiveTheRulesSlotForEveryRawDraw) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<std::vector<double>> lists = {
      {},
      {1.0},
      {0.0},
      {1.0, 3.0},
      {0.0, 4.0},
      {4.0, 0.0},
      {1.0, 0.0, 3.0},
      {1e-300, 1.0, 2.0},
      {5e-324},
      {5e-324, 5e-324},
      {inf},
      {1.0, inf},
      {-1.0},
      {2.0, -1.0},
      {nan},
      {1.0, nan},
      {0.1, 0.2, 0.30000000000000004},
      {1.0, 1.0, 1.0, 1.0},
  };
  std::mt19937_64 gen(3);
  std::uniform_real_distribution<double> flow(0.0, 10.0);
  for (int k = 0; k < 60; ++k) {
    std::vector<double> random(static_cast<std::size_t>(1 + k % 3));
    for (double& f : random) f = k % 7 == 0 ? 0.0 : flow(gen) * std::pow(10.0, k % 5 - 2);
    lists.push_back(random);
  }
  int checked = 0;
  for (const auto& flows : lists) {
    const PreparedBranches prepared = prepareBranches(flows, sumOf(flows));
    DrawBounds bounds;
    if (!drawBounds(prepared, bounds)) continue;
    ++checked;
    for (int raw = 0; raw <= 32767; ++raw) {
      const double u = random::RandomStream::uniformOf(raw);
      ASSERT_EQ(pickByDraw(bounds, raw), chooseBranch(prepared, flows, u).slot)
          << "raw " << raw << " list of " << flows.size() << " starting "
          << (flows.empty() ? 0.0 : flows[0]);
    }
  }
  EXPECT_GT(checked, 60);
  // Where the rule cannot be put as bounds: a negative or NaN sum, NaN slots, four or more.
  DrawBounds bounds;
  for (const std::vector<double>& flows : {std::vector<double>{-1.0}, std::vector<double>{nan},
                                           std::vector<double>{1.0, 1.0, 1.0, 1.0}}) {
    EXPECT_FALSE(drawBounds(prepareBranches(flows, sumOf(flows)), bounds));
  }
}

}  // namespace
}  // namespace fracflow::transport
