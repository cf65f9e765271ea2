// The branch rule shared by both particle walks.
#include "transport/branch_choice.hpp"

#include <cmath>
#include <cstddef>

#include "core/model_constants.hpp"
#include "random/random_stream.hpp"

namespace fracflow::transport {

PreparedBranches prepareBranches(std::span<const double> flows, double sum) {
  PreparedBranches b;
  b.sum = sum;
  if (flows.size() > 3) {
    b.cumulative = true;
    return b;
  }
  for (std::size_t i = 0; i < flows.size(); ++i) b.slot[i] = flows[i];
  if (b.slot[0] == 0.0) b.slot[0] = b.slot[1] = b.slot[2] = sum;
  if (b.slot[1] == 0.0) {
    b.slot[1] = sum;
    b.slot[2] = 0.0;
  }
  if (b.slot[2] == 0.0) b.slot[2] = sum;
  return b;
}

int pickCumulative(std::span<const double> flows, double sum, double r) {
  const std::size_t count = flows.size();
  double lower = 0.0;
  for (std::size_t i = 0; i < count; ++i) {
    const double upper = i + 1 < count ? lower + flows[i] : kLastSlotWidening * sum;
    if (lower <= r && r < upper) return static_cast<int>(i);
    lower = upper;
  }
  return -1;
}

namespace {

constexpr int kRawDraws = 32768;

// The number of raw draws whose r = u·sum lies below x: r rises with the raw draw, so they
// are the first ones.
std::uint16_t drawsBelow(double sum, double x) {
  int lo = 0, hi = kRawDraws;  // the answer lies in [lo, hi]
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (random::RandomStream::uniformOf(mid) * sum < x) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return static_cast<std::uint16_t>(lo);
}

}  // namespace

bool drawBounds(const PreparedBranches& b, DrawBounds& out) {
  const double firstTwo = b.slot[0] + b.slot[1];
  if (b.cumulative || !(b.sum >= 0.0) || std::isnan(b.slot[0]) || std::isnan(firstTwo)) {
    return false;
  }
  out.below[0] = drawsBelow(b.sum, b.slot[0]);
  out.below[1] = drawsBelow(b.sum, firstTwo);
  out.below[2] = drawsBelow(b.sum, kLastSlotWidening * b.sum);
  return true;
}

}  // namespace fracflow::transport
