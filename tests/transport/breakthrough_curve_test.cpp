#include "transport/breakthrough_curve.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "transport_test_support.hpp"

namespace fracflow::transport {
namespace {

// The bin of t by the plain scan over the bins, or -1.
int scannedBin(int bcsize, int bcstep, double t) {
  for (int j = 0; j < bcsize; ++j) {
    if (static_cast<double>(static_cast<long long>(j) * bcstep) <= t && (j + 1.0) * bcstep > t) {
      return j;
    }
  }
  return -1;
}

int recordedBin(const BreakthroughCurve& curve) {
  for (int j = 0; j < curve.binCount(); ++j) {
    if (curve.total()[static_cast<std::size_t>(j)] != 0) return j;
  }
  return -1;
}

TEST(BreakthroughCurve, PutsEachArrivalInTheBinThatHoldsItsTime) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double t;
    int bin;
  } cases[] = {
      {0.0, 0},      {-0.0, 0},   {49.999, 0}, {50.0, 1},    // a bin starts at j·bcstep
      {450.0, 9},    {499.99, 9}, {500.0, -1}, {1e300, -1},  // 10 bins of 50 end at 500
      {-1e-300, -1}, {nan, -1},   {inf, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.t);
    BreakthroughCurve curve(10, 50);
    curve.recordArrival(kBottom, c.t);
    EXPECT_EQ(recordedBin(curve), c.bin);
    if (c.bin >= 0) {
      EXPECT_EQ(curve.counts(kBottom)[static_cast<std::size_t>(c.bin)], 1);
    }
  }
}

TEST(BreakthroughCurve, AgreesWithTheScanOverAllBins) {
  std::mt19937_64 gen(17);
  const int sizes[] = {1, 7, 100};
  const int steps[] = {1, 3, 1000, 0, -5};
  for (const int bcsize : sizes) {
    for (const int bcstep : steps) {
      std::uniform_int_distribution<int> bin(-2, bcsize + 2);
      std::uniform_real_distribution<double> frac(0.0, 1.0);
      for (int k = 0; k < 2000; ++k) {
        const double edge = static_cast<double>(bin(gen)) * bcstep;
        double t = edge;
        switch (k % 4) {
          case 1:
            t = std::nextafter(edge, -std::numeric_limits<double>::infinity());
            break;
          case 2:
            t = std::nextafter(edge, std::numeric_limits<double>::infinity());
            break;
          case 3:
            t = edge + frac(gen) * bcstep;
            break;
          default:
            break;
        }
        BreakthroughCurve curve(bcsize, bcstep);
        curve.recordArrival(kTop, t);
        ASSERT_EQ(recordedBin(curve), scannedBin(bcsize, bcstep, t))
            << "bcsize " << bcsize << " bcstep " << bcstep << " t " << t;
      }
    }
  }
}

TEST(BreakthroughCurve, NoBinsCountNothing) {
  for (const int bcsize : {0, -3}) {
    BreakthroughCurve curve(bcsize, 50);
    curve.recordArrival(kLeft, 0.0);
    EXPECT_EQ(curve.binCount(), 0);
  }
}

class CurveFile : public testing::InTempFolder {};

TEST_F(CurveFile, WritesCentresCountsTotalsAndTheRunningSum) {
  BreakthroughCurve curve(3, 100);
  for (int i = 0; i < 3; ++i) curve.recordArrival(kRight, 10.0);  // bin 0
  curve.recordArrival(kTop, 250.0);                               // bin 2
  curve.recordArrival(kBottom, 299.0);
  curve.recordArrival(kLeft, 200.0);
  writeBreakthroughCurve(curve, path("curve.txt"));
  // Seven fields of width 8, five blanks apart; the total is the sum of the four faces and
  // the last column adds the totals up.
  EXPECT_EQ(
      testing::readFile(path("curve.txt")),
      "    50.0            0            3            0            0            3            3\n"
      "   150.0            0            0            0            0            0            3\n"
      "   250.0            1            0            1            1            3            6\n");
}

TEST_F(CurveFile, UnitStepCentresAndWideValues) {
  writeBreakthroughCurve(BreakthroughCurve(3, 1), path("unit.txt"));
  EXPECT_EQ(
      testing::readFile(path("unit.txt")),
      "     0.5            0            0            0            0            0            0\n"
      "     1.5            0            0            0            0            0            0\n"
      "     2.5            0            0            0            0            0            0\n");
  // A value wider than the field is written whole and pushes the line to the right.
  writeBreakthroughCurve(BreakthroughCurve(1, 100000000), path("wide.txt"));
  EXPECT_EQ(
      testing::readFile(path("wide.txt")),
      "50000000.0            0            0            0            0            0            0\n");
}

TEST_F(CurveFile, ACurveWithoutBinsGivesAnEmptyFile) {
  writeBreakthroughCurve(BreakthroughCurve(0, 100), path("empty.txt"));
  EXPECT_TRUE(std::filesystem::exists(path("empty.txt")));
  EXPECT_EQ(testing::readFile(path("empty.txt")), "");
}

}  // namespace
}  // namespace fracflow::transport
