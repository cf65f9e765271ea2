// EXPECT_SAME_BITS / ASSERT_SAME_BITS: two doubles, two vectors of doubles, or two vectors of
// records made of doubles only (Segment, a node) hold the very same bits. Unlike EXPECT_EQ,
// 0.0 and -0.0 differ and a NaN equals a NaN of the same payload. A failure names the first
// differing index and prints both values in full (round-trip) precision with their bits.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace fracflow::testing {

// Whether a and b hold the same bits: for loops that gather their own report.
bool sameBits(double a, double b);

// The shortest text that reads back to the same double, then its bits: "0.1 (0x3fb999999999999a)".
std::string fullPrecision(double value);

::testing::AssertionResult sameBitsFormat(const char* aText, const char* bText, double a, double b);

// Both sequences of doubles, of lengths aSize and bSize; a record of `width` doubles per
// element when width > 1, so that a failure names the element and its field.
::testing::AssertionResult sameBitsFormat(const char* aText, const char* bText, const double* a,
                                          std::size_t aSize, const double* b, std::size_t bSize,
                                          std::size_t width);

inline ::testing::AssertionResult sameBitsFormat(const char* aText, const char* bText,
                                                 const std::vector<double>& a,
                                                 const std::vector<double>& b) {
  return sameBitsFormat(aText, bText, a.data(), a.size(), b.data(), b.size(), 1);
}

// A vector of records whose members are all doubles (no padding, nothing else).
template <typename Record>
requires(!std::is_same_v<Record, double> && std::is_trivially_copyable_v<Record> &&
         std::is_standard_layout_v<Record> && sizeof(Record) % sizeof(double) == 0 &&
         alignof(Record) == alignof(double))::testing::AssertionResult
    sameBitsFormat(const char* aText, const char* bText, const std::vector<Record>& a,
                   const std::vector<Record>& b) {
  constexpr std::size_t kWidth = sizeof(Record) / sizeof(double);
  auto flat = [](const std::vector<Record>& records) {
    std::vector<double> values(records.size() * kWidth);
    if (!records.empty())
      std::memcpy(values.data(), records.data(), records.size() * sizeof(Record));
    return values;
  };
  const std::vector<double> fa = flat(a);
  const std::vector<double> fb = flat(b);
  return sameBitsFormat(aText, bText, fa.data(), fa.size(), fb.data(), fb.size(), kWidth);
}

}  // namespace fracflow::testing

#define EXPECT_SAME_BITS(a, b) EXPECT_PRED_FORMAT2(::fracflow::testing::sameBitsFormat, a, b)
#define ASSERT_SAME_BITS(a, b) ASSERT_PRED_FORMAT2(::fracflow::testing::sameBitsFormat, a, b)
