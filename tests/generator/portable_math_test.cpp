#include "generator/portable_math.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace fracflow::generator {
namespace {

// |a - b| in units of the last place of b.
double ulps(double a, double b) {
  if (a == b) return 0.0;
  return std::abs(a - b) / (std::nextafter(std::abs(b), INFINITY) - std::abs(b));
}

TEST(PortableMath, ExpAndLogAgreeWithTheLibraryToAFewUlps) {
  double worstExp = 0.0;
  double worstLog = 0.0;
  for (double x = -700.0; x < 700.0; x += 0.37)
    worstExp = std::max(worstExp, ulps(portableExp(x), std::exp(x)));
  for (double x = -1e-3; x < 1e-3; x += 1.3e-6)
    worstExp = std::max(worstExp, ulps(portableExp(x), std::exp(x)));
  for (double x = 1e-300; x < 1e300; x *= 1.37)
    worstLog = std::max(worstLog, ulps(portableLog(x), std::log(x)));
  for (double x = 0.5; x < 2.0; x += 1.1e-4)
    worstLog = std::max(worstLog, ulps(portableLog(x), std::log(x)));
  // Near 1, where the logarithm is small and cancellation would show.
  for (double x = 1.0 - 1e-3; x < 1.0 + 1e-3; x += 1.7e-7) {
    if (x != 1.0) worstLog = std::max(worstLog, ulps(portableLog(x), std::log(x)));
  }
  EXPECT_LE(worstExp, 4.0);
  EXPECT_LE(worstLog, 4.0);
}

TEST(PortableMath, SpecialValues) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(portableExp(0.0), 1.0);
  EXPECT_EQ(portableExp(800.0), inf);
  EXPECT_EQ(portableExp(-800.0), 0.0);
  EXPECT_TRUE(std::isnan(portableExp(std::nan(""))));
  EXPECT_EQ(portableLog(1.0), 0.0);
  EXPECT_EQ(portableLog(0.0), -inf);
  EXPECT_EQ(portableLog(inf), inf);
  EXPECT_TRUE(std::isnan(portableLog(-1.0)));
  EXPECT_NEAR(portableLog(std::numeric_limits<double>::denorm_min()), -744.4400719213812, 1e-12);
  EXPECT_NEAR(portablePow(10.0, 0.5), std::sqrt(10.0), 1e-15);
  EXPECT_NEAR(portablePow(141.42, -1.6), std::pow(141.42, -1.6), 1e-18);
}

TEST(PortableMath, SinCosInDegrees) {
  struct Case {
    double degrees;
    double sin;
    double cos;
  };
  // Multiples of 90 degrees are exact; the rest agree with the library to rounding.
  const Case cases[] = {
      {0.0, 0.0, 1.0},   {90.0, 1.0, 0.0},   {180.0, 0.0, -1.0}, {270.0, -1.0, 0.0},
      {360.0, 0.0, 1.0}, {-90.0, -1.0, 0.0}, {450.0, 1.0, 0.0},  {-720.0, 0.0, 1.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.degrees);
    const SinCos sc = sinCosDegrees(c.degrees);
    EXPECT_EQ(std::abs(sc.sin), std::abs(c.sin));
    EXPECT_EQ(sc.cos == 0.0 ? 0.0 : sc.cos, c.cos);
    if (c.sin != 0.0) {
      EXPECT_EQ(sc.sin, c.sin);
    }
  }
  const SinCos thirty = sinCosDegrees(30.0);
  EXPECT_NEAR(thirty.sin, 0.5, 1e-16);
  EXPECT_NEAR(thirty.cos, std::sqrt(3.0) / 2.0, 2.5e-16);
  for (double d = -400.0; d < 400.0; d += 0.731) {
    const SinCos sc = sinCosDegrees(d);
    const double r = d * (3.14159265358979323846 / 180.0);
    EXPECT_NEAR(sc.sin, std::sin(r), 2e-15) << d;
    EXPECT_NEAR(sc.cos, std::cos(r), 2e-15) << d;
  }
}

}  // namespace
}  // namespace fracflow::generator
