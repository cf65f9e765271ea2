// Turns numbers into text the way every file and the console show them: the stream's
// default six-significant-digit format, fixed and scientific notation, right-aligned widths.
// Exponents always carry a sign and at least three digits (1.500000e+001, 1e-007).
#pragma once

#include <string>

namespace fracflow::io {

// RoundTrip: the shortest text that reads back to the same double (see formatRoundTrip);
// it ignores the digits.
enum class Notation { General, Fixed, Scientific, RoundTrip };

// The number format of one output: the notation, the digits (significant digits for
// General, digits after the point otherwise) and a minimum width, filled with blanks
// on the left. Integers ignore the notation and the digits, but honour the width.
struct NumberFormat {
  Notation notation = Notation::General;
  int digits = 6;
  int width = 0;

  static constexpr NumberFormat general() { return {}; }
  static constexpr NumberFormat fixed(int digits, int width = 0) {
    return {Notation::Fixed, digits, width};
  }
  static constexpr NumberFormat scientific(int digits, int width = 0) {
    return {Notation::Scientific, digits, width};
  }
  static constexpr NumberFormat roundTrip() { return {Notation::RoundTrip, 0, 0}; }
};

std::string formatNumber(double value, const NumberFormat& format = {});
std::string formatInteger(long long value, const NumberFormat& format = {});

// Appends the text of a number to out, without building a temporary string.
void appendNumber(std::string& out, double value, const NumberFormat& format = {});
void appendInteger(std::string& out, long long value, const NumberFormat& format = {});

// The shortest text that reads back to exactly the same double (fixed or scientific
// notation, whichever is shorter, with the exponent as std::to_chars writes it: 1e-05).
// For data files that another program reads, where every bit of a coordinate matters.
std::string formatRoundTrip(double value);
void appendRoundTrip(std::string& out, double value);

}  // namespace fracflow::io
