#include "support/same_bits.hpp"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace fracflow::testing {
namespace {

struct Pair {
  double a = 0.0;
  double b = 0.0;
};

TEST(SameBits, ComparesBitsNotValues) {
  static const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_SAME_BITS(0.1 + 0.2, 0.1 + 0.2);
  EXPECT_SAME_BITS(nan, nan);
  EXPECT_SAME_BITS(std::vector<double>{}, std::vector<double>{});
  EXPECT_SAME_BITS((std::vector<double>{1.0, -0.0, nan}), (std::vector<double>{1.0, -0.0, nan}));
  EXPECT_NONFATAL_FAILURE(EXPECT_SAME_BITS(0.0, -0.0), "0 (0x0000000000000000)");
  EXPECT_NONFATAL_FAILURE(EXPECT_SAME_BITS(0.0, -0.0), "-0 (0x8000000000000000)");
  EXPECT_NONFATAL_FAILURE(EXPECT_SAME_BITS(nan, -nan), "differ in their bits");
}

TEST(SameBits, NamesTheFirstDifferenceInFullPrecision) {
  static const std::vector<double> a = {1.0, 0.1 + 0.2, 5.0, 7.0};
  static const std::vector<double> b = {1.0, 0.3, 6.0, 7.0};
  EXPECT_NONFATAL_FAILURE(EXPECT_SAME_BITS(a, b),
                          "first difference at index 1:\n  a = 0.30000000000000004 "
                          "(0x3fd3333333333334)\n  b = 0.3 (0x3fd3333333333333)");
  EXPECT_FATAL_FAILURE(ASSERT_SAME_BITS(a, b), "first difference at index 1");
  static const std::vector<double> shorter = {1.0, 0.1 + 0.2};
  EXPECT_NONFATAL_FAILURE(EXPECT_SAME_BITS(a, shorter), "sizes: 4 and 2\n  the first 2 agree");
}

TEST(SameBits, RecordsOfDoublesNameElementAndField) {
  static const std::vector<Pair> a = {{1.0, 2.0}, {3.0, 4.0}};
  static std::vector<Pair> b = a;
  EXPECT_SAME_BITS(a, b);
  b[1].b = std::nextafter(4.0, 5.0);
  EXPECT_NONFATAL_FAILURE(EXPECT_SAME_BITS(a, b),
                          "element 1, field 1:\n  a = 4 (0x4010000000000000)\n"
                          "  b = 4.000000000000001 (0x4010000000000001)");
}

}  // namespace
}  // namespace fracflow::testing
