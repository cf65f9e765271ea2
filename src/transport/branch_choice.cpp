// The branch rule shared by both particle walks.
#include "transport/branch_choice.hpp"

#include <cstddef>

namespace fracflow::transport {

BranchChoice chooseBranch(std::span<const double> flows, double sum, double u) {
  const double r = u * sum;
  const std::size_t count = flows.size();
  if (count > 3) {
    double lower = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
      const double upper = i + 1 < count ? lower + flows[i] : 1.00001 * sum;
      if (lower <= r && r < upper) return {static_cast<int>(i), flows[i]};
      lower = upper;
    }
    return {};
  }
  double slot[3] = {0.0, 0.0, 0.0};
  for (std::size_t i = 0; i < count; ++i) slot[i] = flows[i];
  if (slot[0] == 0.0) slot[0] = slot[1] = slot[2] = sum;
  if (slot[1] == 0.0) {
    slot[1] = sum;
    slot[2] = 0.0;
  }
  if (slot[2] == 0.0) slot[2] = sum;
  if (0.0 <= r && r < slot[0]) return {0, slot[0]};
  if (slot[0] <= r && r < slot[0] + slot[1]) return {1, slot[1]};
  if (slot[0] + slot[1] <= r && r < 1.00001 * sum) return {2, slot[2]};
  return {};
}

}  // namespace fracflow::transport
