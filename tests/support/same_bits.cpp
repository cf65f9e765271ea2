// The bit-identity assertion: comparison and failure messages.
#include "support/same_bits.hpp"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>

namespace fracflow::testing {
namespace {

std::string position(std::size_t index, std::size_t width) {
  if (width <= 1) return "index " + std::to_string(index);
  return "element " + std::to_string(index / width) + ", field " + std::to_string(index % width);
}

}  // namespace

bool sameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

std::string fullPrecision(double value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  char bits[32];
  std::snprintf(bits, sizeof bits, " (0x%016llx)",
                static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(value)));
  return std::string(text, result.ptr) + bits;
}

::testing::AssertionResult sameBitsFormat(const char* aText, const char* bText, double a,
                                          double b) {
  if (sameBits(a, b)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << aText << " and " << bText << " differ in their bits\n  " << aText << " = "
         << fullPrecision(a) << "\n  " << bText << " = " << fullPrecision(b);
}

::testing::AssertionResult sameBitsFormat(const char* aText, const char* bText, const double* a,
                                          std::size_t aSize, const double* b, std::size_t bSize,
                                          std::size_t width) {
  const std::size_t common = aSize < bSize ? aSize : bSize;
  std::size_t first = 0;
  while (first < common && sameBits(a[first], b[first])) ++first;
  if (first == common && aSize == bSize) return ::testing::AssertionSuccess();
  ::testing::AssertionResult failure = ::testing::AssertionFailure();
  failure << aText << " and " << bText << " differ in their bits";
  if (aSize != bSize) {
    failure << "\n  sizes: " << aSize / width << " and " << bSize / width
            << (width > 1 ? " elements" : "");
  }
  if (first < common) {
    failure << "\n  first difference at " << position(first, width) << ":\n  " << aText << " = "
            << fullPrecision(a[first]) << "\n  " << bText << " = " << fullPrecision(b[first]);
  } else {
    failure << "\n  the first " << common / width << " agree";
  }
  return failure;
}

}  // namespace fracflow::testing
