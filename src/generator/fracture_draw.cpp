// The sampling formulas of the fracture laws. They use only the portable elementary
// functions, so the draws are the same on every platform.
#include "generator/fracture_draw.hpp"

#include <algorithm>
#include <cmath>

#include "generator/portable_math.hpp"
#include "io/check.hpp"

namespace fracflow::generator {
namespace {

constexpr double kLn10 = 2.30258509299404568402;

// Below this concentration the von Mises law is uniform to within 1e-12.
constexpr double kUniformKappa = 1e-12;

// Above this concentration the angle to the mean is drawn from the normal law of variance
// 1 / kappa, which the von Mises law approaches with a relative error of order 1 / kappa
// (below 1e-10 here). The rational form of Best and Fisher loses the digits of r - 1 as kappa
// grows (r rounds to exactly 1 from about 1e16 on, and its loop could then never accept).
constexpr double kNormalKappa = 1e10;

// Each rejection loop accepts a try with probability above one half, so this many rejected
// tries in a row would mean a broken random source, not bad luck.
constexpr int kMaxTries = 10000;

// The cosine and sine of a uniform angle: a uniform point of the unit disc, normalised.
Direction drawUniformDirection(RandomSource& random) {
  for (int tries = 0; tries < kMaxTries; ++tries) {
    const double a = 2.0 * random.uniform() - 1.0;
    const double b = 2.0 * random.uniform() - 1.0;
    const double r2 = a * a + b * b;
    if (r2 > 0.0 && r2 <= 1.0) {
      const double r = std::sqrt(r2);
      return {a / r, b / r};
    }
  }
  FRACFLOW_CHECK(false && "the uniform direction found no point in the unit disc");
  return {};
}

// The mean direction turned by a small angle theta (|theta| below 1e-3), its cosine and sine
// from their Taylor series, exact to rounding at that size.
Direction turnBySmallAngle(const SetLaw& set, double theta) {
  const double t2 = theta * theta;
  const double cosTheta = 1.0 - t2 / 2.0 * (1.0 - t2 / 12.0);
  const double sinTheta = theta * (1.0 - t2 / 6.0 * (1.0 - t2 / 20.0));
  return {set.cosMean * cosTheta - set.sinMean * sinTheta,
          set.sinMean * cosTheta + set.cosMean * sinTheta};
}

}  // namespace

int drawSet(RandomSource& random, const NetworkLaw& law) {
  const double u = random.uniform();
  int last = 0;
  for (int s = 0; s < 3; ++s) {
    const auto index = static_cast<std::size_t>(s);
    if (law.sets[index].prob <= 0.0) continue;
    last = s;
    if (u < law.cumulativeProb[index]) return s;
  }
  return last;  // u beyond the last running sum by rounding
}

double drawLength(RandomSource& random, const SetLaw& set, double maxLength) {
  // P(L > l | L <= max) = ((l/min)^-a - r) / (1 - r), r = (max/min)^-a; solved for l.
  const double u = random.uniform();
  const double y = 1.0 - u * (1.0 - set.tailBeyondMax);
  const double length = set.minFracL * portablePow(y, -1.0 / set.alpha);
  return std::clamp(length, set.minFracL, maxLength);
}

Direction drawDirection(RandomSource& random, const SetLaw& set) {
  const double kappa = set.kappa;
  if (kappa < kUniformKappa) return drawUniformDirection(random);
  if (kappa > kNormalKappa) {
    return turnBySmallAngle(set, drawStandardNormal(random) / std::sqrt(kappa));
  }
  // Best and Fisher (1979). rho is written so that it loses no digits for small kappa:
  // rho = (tau - sqrt(2 tau)) / (2 kappa) with tau = 1 + sqrt(1 + 4 kappa^2).
  const double root = std::sqrt(1.0 + 4.0 * kappa * kappa);
  const double tau = 1.0 + root;
  const double rho = 2.0 * kappa * tau / ((root + 1.0) * (tau + std::sqrt(2.0 * tau)));
  const double r = (1.0 + rho * rho) / (2.0 * rho);
  double f = 0.0;
  bool accepted = false;
  for (int tries = 0; tries < kMaxTries && !accepted; ++tries) {
    const double z = drawUniformDirection(random).cos;  // cos of a uniform angle
    f = (1.0 + r * z) / (r + z);
    const double c = kappa * (r - f);
    const double u2 = random.uniform();
    accepted = c * (2.0 - c) - u2 > 0.0 || portableLog(c / u2) + 1.0 - c >= 0.0;
  }
  FRACFLOW_CHECK(accepted);
  // f is the cosine of the angle to the mean; its sign is drawn.
  f = std::clamp(f, -1.0, 1.0);
  const double sinOffset = (random.uniform() < 0.5 ? -1.0 : 1.0) * std::sqrt(1.0 - f * f);
  return {set.cosMean * f - set.sinMean * sinOffset, set.sinMean * f + set.cosMean * sinOffset};
}

double drawStandardNormal(RandomSource& random) {
  for (int tries = 0; tries < kMaxTries; ++tries) {
    const double a = 2.0 * random.uniform() - 1.0;
    const double b = 2.0 * random.uniform() - 1.0;
    const double s = a * a + b * b;
    if (s > 0.0 && s < 1.0) return a * std::sqrt(-2.0 * portableLog(s) / s);
  }
  FRACFLOW_CHECK(false && "the polar method found no point in the unit disc");
  return 0.0;
}

double drawPerm(RandomSource& random, const SetLaw& set) {
  const double exponent = set.perMean + set.perDev * drawStandardNormal(random);
  return portableExp(exponent * kLn10);
}

FractureDraw drawFracture(RandomSource& random, const NetworkLaw& law) {
  FractureDraw draw;
  draw.set = drawSet(random, law);
  const SetLaw& set = law.sets[static_cast<std::size_t>(draw.set)];
  draw.length = drawLength(random, set, law.maxLength);
  draw.direction = drawDirection(random, set);
  draw.perm = drawPerm(random, set);
  const double m = law.centreMargin;
  draw.centreX = -m + random.uniform() * (law.domainL + 2.0 * m);
  draw.centreY = -m + random.uniform() * (law.domainW + 2.0 * m);
  return draw;
}

}  // namespace fracflow::generator
