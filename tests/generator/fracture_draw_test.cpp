// The laws of the drawn fractures on large seeded samples. Every bound follows from the
// sample size: counts within 5 standard deviations, and Kolmogorov-Smirnov distances below
// 1.95 / sqrt(n) (exceeded by chance with probability 0.001).
#include "generator/fracture_draw.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "generator/generator_fixtures.hpp"

namespace fracflow::generator {
namespace {

constexpr double kPi = 3.14159265358979323846;

// The largest distance between the empirical distribution of sample and cdf.
double ksDistance(std::vector<double> sample, const std::function<double(double)>& cdf) {
  std::sort(sample.begin(), sample.end());
  const auto n = static_cast<double>(sample.size());
  double d = 0.0;
  for (std::size_t i = 0; i < sample.size(); ++i) {
    const double f = cdf(sample[i]);
    d = std::max({d, std::abs(f - static_cast<double>(i) / n),
                  std::abs(static_cast<double>(i + 1) / n - f)});
  }
  return d;
}

double ksBound(std::size_t n) { return 1.95 / std::sqrt(static_cast<double>(n)); }

TEST(FractureDraw, SetsAreDrawnWithTheirProbabilities) {
  struct Case {
    double p1, p2, p3;
  };
  const Case cases[] = {{0.5, 0.3, 0.2}, {0.7, 0.0, 0.3}, {0.6, 0.4 - 5e-7, 0.0}, {0.0, 0.0, 1.0}};
  constexpr int kDraws = 200000;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.p1 << " " << c.p2 << " " << c.p3);
    const NetworkLaw law =
        populationLaw(100, 100, 1,
                      {fractureSet(c.p1, 5, 1.5, 0, 0), fractureSet(c.p2, 5, 1.5, 0, 0),
                       fractureSet(c.p3, 5, 1.5, 0, 0)});
    RandomSource random(7);
    int counts[3] = {0, 0, 0};
    for (int i = 0; i < kDraws; ++i) ++counts[drawSet(random, law)];
    const double p[3] = {c.p1, c.p2, c.p3};
    for (int s = 0; s < 3; ++s) {
      if (p[s] == 0.0) {
        EXPECT_EQ(counts[s], 0) << "set " << s + 1;
        continue;
      }
      const double mean = kDraws * p[s];
      const double sd = std::sqrt(kDraws * p[s] * (1 - p[s]));
      EXPECT_NEAR(counts[s], mean, 5 * sd + 1e-9) << "set " << s + 1;
    }
  }
}

TEST(FractureDraw, LengthsFollowTheTruncatedPowerLaw) {
  struct Case {
    double minFracL, alpha;
  };
  const Case cases[] = {{2.0, 1.5}, {10.0, 0.8}, {30.0, 3.0}, {141.0, 2.0}};
  constexpr std::size_t kDraws = 100000;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.minFracL << " " << c.alpha);
    const NetworkLaw law = populationLaw(100, 100, 1, {fractureSet(1, c.minFracL, c.alpha, 0, 0)});
    const double maxLength = law.maxLength;  // the diagonal, 141.42...
    RandomSource random(11);
    std::vector<double> lengths(kDraws);
    for (double& l : lengths) l = drawLength(random, law.sets[0], maxLength);
    EXPECT_GE(*std::min_element(lengths.begin(), lengths.end()), c.minFracL);
    EXPECT_LE(*std::max_element(lengths.begin(), lengths.end()), maxLength);
    // P(L <= l) = (1 - (l/min)^-a) / (1 - (max/min)^-a).
    const double tail = std::pow(maxLength / c.minFracL, -c.alpha);
    const auto cdf = [&](double l) {
      return (1.0 - std::pow(l / c.minFracL, -c.alpha)) / (1.0 - tail);
    };
    EXPECT_LT(ksDistance(lengths, cdf), ksBound(kDraws));
  }
}

// The line orientation's offset from the mean, modulo 180 degrees, has the density
// (e^(k cos d) + e^(-k cos d)) / (2 pi I0(k)) on [0, pi): the von Mises density of the
// direction folded onto a half turn. Its distribution function, by Simpson's rule.
std::function<double(double)> foldedVonMisesCdf(double kappa) {
  constexpr int kIntervals = 20000;
  const double h = kPi / kIntervals;
  std::vector<double> cumulative(kIntervals + 1, 0.0);
  auto density = [&](double d) { return std::cosh(kappa * std::cos(d)); };
  for (int i = 0; i < kIntervals; ++i) {
    const double a = i * h;
    cumulative[i + 1] =
        cumulative[i] + h / 6 * (density(a) + 4 * density(a + h / 2) + density(a + h));
  }
  const double total = cumulative.back();
  return [cumulative, h, total](double d) {
    const double pos = std::clamp(d / h, 0.0, static_cast<double>(kIntervals));
    const auto i =
        std::min(static_cast<std::size_t>(pos), static_cast<std::size_t>(kIntervals - 1));
    const double frac = pos - static_cast<double>(i);
    return (cumulative[i] + frac * (cumulative[i + 1] - cumulative[i])) / total;
  };
}

TEST(FractureDraw, OrientationsFollowTheVonMisesLawModulo180Degrees) {
  struct Case {
    double kappa, thetaMean;
  };
  const Case cases[] = {{0.0, 0.0},    {0.0, 75.0},  {1.0, 30.0},  {5.0, 120.0},
                        {50.0, -45.0}, {5.0, 179.0}, {1e-13, 10.0}};
  constexpr std::size_t kDraws = 50000;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kappa " << c.kappa << " mean " << c.thetaMean);
    const NetworkLaw law =
        populationLaw(100, 100, 1, {fractureSet(1, 5, 1.5, c.kappa, c.thetaMean)});
    RandomSource random(13);
    const double mean = c.thetaMean * kPi / 180.0;
    std::vector<double> offsets(kDraws);
    for (double& d : offsets) {
      const Direction dir = drawDirection(random, law.sets[0]);
      ASSERT_NEAR(dir.cos * dir.cos + dir.sin * dir.sin, 1.0, 1e-12);
      d = std::fmod(std::atan2(dir.sin, dir.cos) - mean + 4 * kPi, kPi);
    }
    EXPECT_LT(ksDistance(offsets, foldedVonMisesCdf(c.kappa)), ksBound(kDraws));
  }
}

// For a large concentration the angle to the mean is normal with variance 1 / kappa (to a
// relative error of order 1 / kappa), on either side of the switch between the two samplers
// and far beyond the point where r - 1 of Best and Fisher's form no longer has a digit.
TEST(FractureDraw, LargeConcentrationsGiveNormalAnglesOfVarianceOneOverKappa) {
  constexpr std::size_t kDraws = 50000;
  for (const double kappa : {1e9, 1e11, 1e17}) {
    for (const double thetaMean : {0.0, 30.0, -100.0}) {
      SCOPED_TRACE(testing::Message() << "kappa " << kappa << " mean " << thetaMean);
      const NetworkLaw law = populationLaw(100, 100, 1, {fractureSet(1, 5, 1.5, kappa, thetaMean)});
      const SetLaw& set = law.sets[0];
      RandomSource random(29);
      std::vector<double> scaled(kDraws);
      for (double& z : scaled) {
        const Direction dir = drawDirection(random, set);
        ASSERT_NEAR(dir.cos * dir.cos + dir.sin * dir.sin, 1.0, 1e-12);
        const double theta = std::atan2(set.cosMean * dir.sin - set.sinMean * dir.cos,
                                        set.cosMean * dir.cos + set.sinMean * dir.sin);
        z = theta * std::sqrt(kappa);
      }
      const auto normalCdf = [](double z) { return 0.5 * std::erfc(-z / std::sqrt(2.0)); };
      EXPECT_LT(ksDistance(scaled, normalCdf), ksBound(kDraws));
    }
  }
  // A concentration so large that every direction is the mean one, to rounding.
  const NetworkLaw law = populationLaw(100, 100, 1, {fractureSet(1, 5, 1.5, 1e300, 30)});
  RandomSource random(31);
  for (int k = 0; k < 1000; ++k) {
    const Direction dir = drawDirection(random, law.sets[0]);
    EXPECT_EQ(dir.cos, law.sets[0].cosMean);
    EXPECT_EQ(dir.sin, law.sets[0].sinMean);
  }
}

TEST(FractureDraw, Log10PermeabilityIsNormal) {
  constexpr std::size_t kDraws = 100000;
  RandomSource random(17);
  std::vector<double> normals(kDraws);
  for (double& z : normals) z = drawStandardNormal(random);
  EXPECT_LT(ksDistance(normals, [](double z) { return 0.5 * std::erfc(-z / std::sqrt(2.0)); }),
            ksBound(kDraws));

  const NetworkLaw law = populationLaw(100, 100, 1, {fractureSet(1, 5, 1.5, 0, 0, -0.7, 0.4)});
  double sum = 0.0;
  double sumSquares = 0.0;
  for (std::size_t i = 0; i < kDraws; ++i) {
    const double e = std::log10(drawPerm(random, law.sets[0]));
    sum += e;
    sumSquares += e * e;
  }
  const double n = kDraws;
  const double mean = sum / n;
  const double sd = std::sqrt(sumSquares / n - mean * mean);
  EXPECT_NEAR(mean, -0.7, 5 * 0.4 / std::sqrt(n));
  EXPECT_NEAR(sd, 0.4, 5 * 0.4 / std::sqrt(2 * n));

  // No spread: every value is 10^perMean.
  const NetworkLaw fixed = populationLaw(100, 100, 1, {fractureSet(1, 5, 1.5, 0, 0, 0.0, 0.0)});
  EXPECT_EQ(drawPerm(random, fixed.sets[0]), 1.0);
  const NetworkLaw two = populationLaw(100, 100, 1, {fractureSet(1, 5, 1.5, 0, 0, 2.0, 0.0)});
  EXPECT_NEAR(drawPerm(random, two.sets[0]), 100.0, 1e-12);
}

TEST(FractureDraw, CentresCoverTheDomainWidenedByHalfTheLongestFracture) {
  const NetworkLaw law = populationLaw(200, 50, 1, {fractureSet(1, 5, 1.5, 0, 0)});
  const double m = 0.5 * std::sqrt(200.0 * 200.0 + 50.0 * 50.0);
  EXPECT_DOUBLE_EQ(law.centreMargin, m);
  RandomSource random(19);
  constexpr int kDraws = 100000;
  double lowX = 1e300, highX = -1e300, lowY = 1e300, highY = -1e300, sumX = 0, sumY = 0;
  for (int i = 0; i < kDraws; ++i) {
    const FractureDraw d = drawFracture(random, law);
    lowX = std::min(lowX, d.centreX);
    highX = std::max(highX, d.centreX);
    lowY = std::min(lowY, d.centreY);
    highY = std::max(highY, d.centreY);
    sumX += d.centreX;
    sumY += d.centreY;
  }
  const double spanX = 200 + 2 * m;
  const double spanY = 50 + 2 * m;
  EXPECT_GE(lowX, -m);
  EXPECT_LE(highX, 200 + m);
  EXPECT_LT(lowX, -m + 0.001 * spanX);  // reaches both ends
  EXPECT_GT(highX, 200 + m - 0.001 * spanX);
  EXPECT_GE(lowY, -m);
  EXPECT_LE(highY, 50 + m);
  EXPECT_NEAR(sumX / kDraws, 100.0, 5 * spanX / std::sqrt(12.0 * kDraws));
  EXPECT_NEAR(sumY / kDraws, 25.0, 5 * spanY / std::sqrt(12.0 * kDraws));
}

}  // namespace
}  // namespace fracflow::generator
