#include "transport/injection_bounds.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <vector>

namespace fracflow::transport {
namespace {

int scan(const std::vector<double>& bounds, double u) {
  for (std::size_t i = 0; i + 1 < bounds.size(); ++i) {
    if (bounds[i] <= u && u < bounds[i + 1]) return static_cast<int>(i);
  }
  return -1;
}

TEST(InjectionBounds, FindsTheFirstIntervalLikeTheScan) {
  std::mt19937_64 gen(5);
  std::uniform_real_distribution<double> share(0.0, 1.0);
  for (int trial = 0; trial < 300; ++trial) {
    const int n = trial % 12;
    std::vector<double> bounds(static_cast<std::size_t>(n) + 1, 0.0);
    for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
      double step = share(gen);
      if (trial % 5 == 1 && i % 3 == 0) step = 0.0;  // empty intervals
      if (trial % 7 == 2 && i == 1) step = -0.3;     // bounds that fall back
      if (trial % 11 == 3 && i == 2) step = std::numeric_limits<double>::quiet_NaN();
      bounds[i + 1] = bounds[i] + step;
    }
    const InjectionBounds lookup(bounds);
    for (int k = 0; k < 200; ++k) {
      const double u = k % 10 == 0 ? bounds[static_cast<std::size_t>(k / 10) % bounds.size()]
                                   : share(gen) * 1.2 - 0.1;
      ASSERT_EQ(lookup.find(u), scan(bounds, u)) << "trial " << trial << " u " << u;
    }
  }
}

TEST(InjectionBounds, NoRecordsFindNothing) {
  EXPECT_EQ(InjectionBounds().find(0.5), -1);
  EXPECT_EQ(InjectionBounds({0.0}).find(0.0), -1);
}

}  // namespace
}  // namespace fracflow::transport
