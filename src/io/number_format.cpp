// Number formatting over std::to_chars: locale-independent and exact (the shortest
// correctly rounded text for the requested digits, as printf gives on glibc).
#include "io/number_format.hpp"

#include <array>
#include <charconv>
#include <cstring>

namespace fracflow::io {
namespace {

constexpr int kMinExponentDigits = 3;

std::chars_format charsFormat(Notation notation) {
  switch (notation) {
    case Notation::Fixed:
      return std::chars_format::fixed;
    case Notation::Scientific:
      return std::chars_format::scientific;
    case Notation::General:
    case Notation::RoundTrip:
      break;
  }
  return std::chars_format::general;
}

// Widens an exponent such as "e+07" to "e+007": to_chars writes at least two digits.
std::size_t widenExponent(char* text, std::size_t length) {
  char* e = static_cast<char*>(std::memchr(text, 'e', length));
  if (e == nullptr) return length;
  char* digits = e + 2;  // after 'e' and the sign
  const auto exponentDigits = static_cast<int>(text + length - digits);
  if (exponentDigits >= kMinExponentDigits) return length;
  const auto pad = static_cast<std::size_t>(kMinExponentDigits - exponentDigits);
  std::memmove(digits + pad, digits, static_cast<std::size_t>(exponentDigits));
  std::memset(digits, '0', pad);
  return length + pad;
}

void appendPadded(std::string& out, const char* text, std::size_t length, int width) {
  if (width > 0 && length < static_cast<std::size_t>(width)) {
    out.append(static_cast<std::size_t>(width) - length, ' ');
  }
  out.append(text, length);
}

}  // namespace

void appendNumber(std::string& out, double value, const NumberFormat& format) {
  if (format.notation == Notation::RoundTrip) {
    std::array<char, 64> shortest{};
    const auto result = std::to_chars(shortest.data(), shortest.data() + shortest.size(), value);
    appendPadded(out, shortest.data(), static_cast<std::size_t>(result.ptr - shortest.data()),
                 format.width);
    return;
  }
  // Fixed notation of a huge value needs up to 309 digits before the point.
  std::array<char, 512> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size() - 8, value,
                                    charsFormat(format.notation), format.digits);
  auto length = static_cast<std::size_t>(result.ptr - buffer.data());
  if (format.notation != Notation::Fixed) length = widenExponent(buffer.data(), length);
  appendPadded(out, buffer.data(), length, format.width);
}

void appendInteger(std::string& out, long long value, const NumberFormat& format) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  appendPadded(out, buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()),
               format.width);
}

void appendRoundTrip(std::string& out, double value) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  out.append(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
}

std::string formatRoundTrip(double value) {
  std::string out;
  appendRoundTrip(out, value);
  return out;
}

std::string formatNumber(double value, const NumberFormat& format) {
  std::string out;
  appendNumber(out, value, format);
  return out;
}

std::string formatInteger(long long value, const NumberFormat& format) {
  std::string out;
  appendInteger(out, value, format);
  return out;
}

}  // namespace fracflow::io
