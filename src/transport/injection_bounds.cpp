// Lookup of a draw in the injection intervals.
#include "transport/injection_bounds.hpp"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace fracflow::transport {

InjectionBounds::InjectionBounds(std::vector<double> bounds) : bounds_(std::move(bounds)) {
  for (std::size_t i = 1; i < bounds_.size(); ++i) {
    if (!(bounds_[i - 1] <= bounds_[i])) ascending_ = false;
  }
}

int InjectionBounds::find(double u) const {
  const auto n = static_cast<int>(bounds_.size()) - 1;
  if (n <= 0) return -1;
  if (ascending_) {
    // With ascending bounds the first record whose upper bound exceeds u is the first that
    // holds u, if any does: every earlier upper bound, hence its lower bound, is ≤ u.
    const auto upper = std::upper_bound(bounds_.begin() + 1, bounds_.end(), u);
    if (upper == bounds_.end()) return -1;
    const auto i = static_cast<int>(upper - bounds_.begin()) - 1;
    return bounds_[static_cast<std::size_t>(i)] <= u ? i : -1;
  }
  for (int i = 0; i < n; ++i) {
    const auto k = static_cast<std::size_t>(i);
    if (bounds_[k] <= u && u < bounds_[k + 1]) return i;
  }
  return -1;
}

}  // namespace fracflow::transport
