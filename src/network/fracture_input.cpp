// Network data file reading. Numbers follow the grammar of formatted stream extraction
// (sign, digits with an optional point, optional exponent), each field ending at white space.
#include "network/fracture_input.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

#include "io/input_file.hpp"
#include "io/message_text.hpp"
#include "network/fracture_clipping.hpp"

namespace fracflow::network {
namespace {

constexpr std::array<const char*, 5> kFieldNames = {"x1", "y1", "x2", "y2", "perm"};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Whether token is a whole decimal number: [+-] digits [. digits] [(e|E) [+-] digits].
bool isNumberToken(std::string_view token) {
  std::size_t i = 0;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < token.size() && isDigit(token[i])) ++i, ++digits;
  if (i < token.size() && token[i] == '.') {
    ++i;
    while (i < token.size() && isDigit(token[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
    ++i;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
    const std::size_t exponentStart = i;
    while (i < token.size() && isDigit(token[i])) ++i;
    if (i == exponentStart) return false;
  }
  return i == token.size();
}

std::string lineError(std::string_view fileName, int lineNumber, std::string_view what) {
  std::string message(fileName);
  message += ':';
  message += std::to_string(lineNumber);
  message += ": ";
  message += what;
  return message;
}

// The value of one field, or an error text.
std::optional<double> parseField(std::string_view token, std::string& error) {
  if (!isNumberToken(token)) {
    error = "expected a number, found " + io::quotedToken(token);
    return std::nullopt;
  }
  const std::string_view digits = token.front() == '+' ? token.substr(1) : token;
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                         std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    error = "number out of range, found " + io::quotedToken(token);
    return std::nullopt;
  }
  if (ec != std::errc() || ptr != digits.data() + digits.size() || !std::isfinite(value)) {
    error = "expected a finite number, found " + io::quotedToken(token);
    return std::nullopt;
  }
  return value;
}

bool isBlankLine(std::string_view line) {
  for (const char c : line) {
    if (!isBlank(c)) return false;
  }
  return true;
}

// The fracture lines (lines that are not blank) of text from pos on.
int countFractureLines(std::string_view text, std::size_t pos) {
  int count = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    if (!isBlankLine(text.substr(pos, end - pos))) ++count;
    pos = end + 1;
  }
  return count;
}

}  // namespace

FractureReading readFractures(std::string_view text, std::string_view fileName, int meetFracs,
                              double domainL, double domainW) {
  FractureReading reading;
  std::size_t pos = text.substr(0, io::kByteOrderMark.size()) == io::kByteOrderMark
                        ? io::kByteOrderMark.size()
                        : 0;
  int lineNumber = 0;
  while (reading.linesRead < meetFracs && pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNumber;

    std::array<double, 5> values{};
    std::size_t fields = 0;
    std::size_t i = 0;
    while (fields < values.size()) {
      while (i < line.size() && isBlank(line[i])) ++i;
      if (i == line.size()) break;
      const std::size_t start = i;
      while (i < line.size() && !isBlank(line[i])) ++i;
      std::string error;
      const std::optional<double> value = parseField(line.substr(start, i - start), error);
      if (!value) {
        reading.error =
            lineError(fileName, lineNumber, std::string(kFieldNames[fields]) + ": " + error);
        return reading;
      }
      if (fields == 4 && *value < 0.0) {
        reading.error = lineError(fileName, lineNumber,
                                  "perm: expected a permeability value of 0 or more, found " +
                                      io::quotedToken(line.substr(start, i - start)));
        return reading;
      }
      values[fields++] = *value;
    }
    if (fields == 0) continue;  // a blank line
    if (fields < values.size()) {
      reading.error =
          lineError(fileName, lineNumber,
                    "expected five numbers (x1 y1 x2 y2 perm), found " + std::to_string(fields));
      return reading;
    }
    ++reading.linesRead;
    const Fracture read{values[4], values[0], values[1], values[2], values[3]};
    if (const std::optional<Fracture> kept = clipFracture(read, domainL, domainW)) {
      reading.fractures.push_back(*kept);
    }
  }
  reading.linesNotRead = countFractureLines(text, pos);
  return reading;
}

}  // namespace fracflow::network
