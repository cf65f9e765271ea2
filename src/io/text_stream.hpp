// Formatted text output: labels and numbers appended to a buffer in one number format and
// handed to a std::ostream in large chunks. The console and every output file write
// through it, so the digits of a number are decided in one place.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>

#include "io/number_format.hpp"

namespace fracflow::io {

class TextStream {
 public:
  explicit TextStream(std::ostream& sink, NumberFormat format = {});
  TextStream(const TextStream&) = delete;
  TextStream& operator=(const TextStream&) = delete;
  ~TextStream();

  void setFormat(NumberFormat format) { format_ = format; }
  const NumberFormat& format() const { return format_; }

  // Appends each part in turn: text as it is, integers in decimal, doubles in the
  // stream's number format (both right-aligned in its width, when it has one).
  template <typename... Parts>
  void write(const Parts&... parts) {
    (append(parts), ...);
    flushIfFull();
  }
  template <typename... Parts>
  void line(const Parts&... parts) {
    (append(parts), ...);
    buffer_.push_back('\n');
    flushIfFull();
  }

  // Hands the buffered text to the sink (without flushing the sink itself).
  void flush();
  std::ostream& sink() { return sink_; }

 private:
  void append(std::string_view text) { buffer_.append(text); }
  void append(const char* text) { buffer_.append(text); }
  void append(const std::string& text) { buffer_.append(text); }
  void append(char c) { buffer_.push_back(c); }
  void append(double value) { appendNumber(buffer_, value, format_); }
  template <typename Int>
  requires(std::is_integral_v<Int> && !std::is_same_v<Int, char> &&
           !std::is_same_v<Int, bool>) void append(Int value) {
    appendInteger(buffer_, static_cast<long long>(value), format_);
  }
  void flushIfFull() {
    if (buffer_.size() >= kChunk) flush();
  }

  static constexpr std::size_t kChunk = 1 << 16;
  std::ostream& sink_;
  NumberFormat format_;
  std::string buffer_;
};

}  // namespace fracflow::io
