#include "io/number_format.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "support/same_bits.hpp"

namespace fracflow::io {
namespace {

struct FormatCase {
  double value;
  NumberFormat format;
  const char* expected;
};

TEST(NumberFormat, FormatsLikeTheStreamWithThreeDigitExponents) {
  const FormatCase cases[] = {
      // Default format: six significant digits, shortest form, three-digit exponents.
      {0.11277, NumberFormat::general(), "0.11277"},
      {9.958694e-06, NumberFormat::general(), "9.95869e-006"},
      {1e-7, NumberFormat::general(), "1e-007"},
      {123456789.0, NumberFormat::general(), "1.23457e+008"},
      {100.0, NumberFormat::general(), "100"},
      {-2.5, NumberFormat::general(), "-2.5"},
      {0.0, NumberFormat::general(), "0"},
      {1e100, NumberFormat::general(), "1e+100"},
      {0.0001, NumberFormat::general(), "0.0001"},
      {0.00001, NumberFormat::general(), "1e-005"},
      {999999.5, NumberFormat::general(), "1e+006"},
      // Fixed notation with the digits after the point.
      {1.5, NumberFormat::fixed(6), "1.500000"},
      {-0.0000004, NumberFormat::fixed(6), "-0.000000"},
      {2.5, NumberFormat::fixed(0), "2"},
      {0.125, NumberFormat::fixed(2), "0.12"},  // ties to even, on the exact binary value
      {0.35, NumberFormat::fixed(1), "0.3"},    // 0.35 is stored just below 0.35
      {123.456789, NumberFormat::fixed(9), "123.456789000"},
      // Scientific notation: one digit before the point, exponent sign and three digits.
      {15.0, NumberFormat::scientific(6), "1.500000e+001"},
      {-0.000123456, NumberFormat::scientific(4), "-1.2346e-004"},
      {0.0, NumberFormat::scientific(6), "0.000000e+000"},
      {1.5e-300, NumberFormat::scientific(6), "1.500000e-300"},
      // Widths right-align and never cut.
      {50.0, NumberFormat::fixed(1, 8), "    50.0"},
      {123456789.0, NumberFormat::fixed(1, 8), "123456789.0"},
      {-1.5, NumberFormat::scientific(4, 13), " -1.5000e+000"},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(formatNumber(c.value, c.format), c.expected);
  }
}

TEST(NumberFormat, IntegersIgnoreNotationButHonourWidth) {
  EXPECT_EQ(formatInteger(42, NumberFormat::fixed(1, 8)), "      42");
  EXPECT_EQ(formatInteger(-7), "-7");
  EXPECT_EQ(formatInteger(123456789, NumberFormat::fixed(1, 8)), "123456789");
}

TEST(NumberFormat, NonFiniteValues) {
  EXPECT_EQ(formatNumber(std::numeric_limits<double>::infinity()), "inf");
  EXPECT_EQ(formatNumber(-std::numeric_limits<double>::infinity(), NumberFormat::fixed(6)), "-inf");
}

TEST(NumberFormat, RoundTripTextIsShortestAndReadsBackExactly) {
  const FormatCase cases[] = {
      {0.1, {}, "0.1"},
      {100.0, {}, "100"},
      {0.0, {}, "0"},
      {-2.5, {}, "-2.5"},
      {1.0 / 3.0, {}, "0.3333333333333333"},
      {1e-5, {}, "1e-05"},
      {1.5e300, {}, "1.5e+300"},
      {1e22, {}, "1e+22"},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(formatRoundTrip(c.value), c.expected);
    // The same text through a stream's number format, as the ParaView files write it.
    EXPECT_EQ(formatNumber(c.value, NumberFormat::roundTrip()), c.expected);
  }
  EXPECT_EQ(formatNumber(std::numeric_limits<double>::quiet_NaN(), NumberFormat::roundTrip()),
            "nan");
  EXPECT_EQ(formatNumber(-0.0, NumberFormat::roundTrip()), "-0");
  // Values that need all 17 digits, the extremes and their neighbours read back bit for bit.
  std::vector<double> values = {std::numeric_limits<double>::denorm_min(),
                                std::numeric_limits<double>::min(),
                                std::numeric_limits<double>::max(), 99.99999999999999};
  for (double v = 1e-9; v < 1e9; v *= 7.3) {
    values.push_back(v);
    values.push_back(std::nextafter(v, 0.0));
    values.push_back(-std::nextafter(v, 1e300));
  }
  for (const double v : values) {
    const std::string text = formatRoundTrip(v);
    double back = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), back);
    ASSERT_EQ(ec, std::errc()) << text;
    EXPECT_EQ(ptr, text.data() + text.size()) << text;
    EXPECT_SAME_BITS(back, v) << text;
  }
}

}  // namespace
}  // namespace fracflow::io
