// Cody-Waite range reduction followed by a Taylor polynomial (exp), an atanh series on
// the reduced mantissa (log) and Taylor polynomials on an octant (sin, cos).
#include "generator/portable_math.hpp"

#include <array>
#include <cmath>
#include <limits>

namespace fracflow::generator {
namespace {

// ln 2 split so that k * kLn2Hi is exact for every exponent k of a double.
constexpr double kLn2Hi = 6.93147180369123816490e-01;
constexpr double kLn2Lo = 1.90821492927058770002e-10;
constexpr double kInvLn2 = 1.44269504088896338700e+00;
constexpr double kPi = 3.14159265358979323846;

// 1 / n! for n = 0 .. N - 1.
template <int N>
constexpr std::array<double, N> inverseFactorials() {
  std::array<double, N> c{};
  c[0] = 1.0;
  for (int n = 1; n < N; ++n) c[n] = c[n - 1] / n;
  return c;
}

constexpr auto kInvFactorial = inverseFactorials<24>();

}  // namespace

double portableExp(double x) {
  if (std::isnan(x)) return x;
  if (x > 709.782712893384) return std::numeric_limits<double>::infinity();
  if (x < -745.1332191019412) return 0.0;
  const double k = std::floor(x * kInvLn2 + 0.5);
  const double r = (x - k * kLn2Hi) - k * kLn2Lo;  // |r| <= ln 2 / 2 (slightly more)
  double sum = kInvFactorial[15];
  for (int n = 14; n >= 0; --n) sum = sum * r + kInvFactorial[static_cast<std::size_t>(n)];
  return std::ldexp(sum, static_cast<int>(k));
}

double portableLog(double x) {
  if (std::isnan(x) || x < 0.0) return std::numeric_limits<double>::quiet_NaN();
  if (x == 0.0) return -std::numeric_limits<double>::infinity();
  if (std::isinf(x)) return x;
  int e = 0;
  double m = std::frexp(x, &e);  // x = m * 2^e, 0.5 <= m < 1
  if (m < 0.70710678118654752440) {
    m *= 2.0;
    e -= 1;
  }
  // log m = 2 atanh(s) = 2 (s + s^3/3 + s^5/5 + ...), |s| <= 0.172.
  const double s = (m - 1.0) / (m + 1.0);
  const double z = s * s;
  double series = 1.0 / 27.0;
  for (int n = 12; n >= 0; --n) series = series * z + 1.0 / (2 * n + 1);
  const double ed = static_cast<double>(e);
  return ed * kLn2Hi + (2.0 * s * series + ed * kLn2Lo);
}

double portablePow(double x, double y) { return portableExp(y * portableLog(x)); }

SinCos sinCosDegrees(double degrees) {
  double r = std::fmod(degrees, 360.0);  // exact
  if (r < 0.0) r += 360.0;
  const double quadrant = std::floor(r / 90.0 + 0.5);      // 0 .. 4
  const double t = (r - quadrant * 90.0) * (kPi / 180.0);  // |t| <= pi / 4
  const double t2 = t * t;
  // sin t = t (1 - t^2/3! + t^4/5! - ...), cos t = 1 - t^2/2! + t^4/4! - ...
  double s = 0.0;
  double c = 0.0;
  for (int n = 11; n >= 0; --n) {
    const double sign = (n % 2 == 0) ? 1.0 : -1.0;
    s = s * t2 + sign * kInvFactorial[static_cast<std::size_t>(2 * n + 1)];
    c = c * t2 + sign * kInvFactorial[static_cast<std::size_t>(2 * n)];
  }
  s *= t;
  switch (static_cast<int>(quadrant) % 4) {
    case 1:
      return {c, -s};
    case 2:
      return {-s, -c};
    case 3:
      return {-c, s};
    default:
      return {s, c};
  }
}

}  // namespace fracflow::generator
