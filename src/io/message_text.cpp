// Escaping for messages.
#include "io/message_text.hpp"

namespace fracflow::io {
namespace {

bool inRange(unsigned c, unsigned lo, unsigned hi) { return c >= lo && c <= hi; }

// Characters a terminal shows as nothing or as a plain blank (format characters, spaces other
// than the ASCII one, the byte-order mark): in a token they would hide why it is not a number.
bool isInvisible(unsigned codePoint) {
  return codePoint == 0xA0 || codePoint == 0xAD || inRange(codePoint, 0x2000, 0x200F) ||
         inRange(codePoint, 0x2028, 0x202F) || inRange(codePoint, 0x205F, 0x206F) ||
         codePoint == 0x3000 || codePoint == 0xFEFF || inRange(codePoint, 0xFFF9, 0xFFFB);
}

// The length of the well-formed, visible UTF-8 character at the start of s, or 0.
std::size_t printableCharLength(std::string_view s) {
  const auto at = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned c = at(0);
  if (c >= 0x20 && c < 0x7F) return 1;
  std::size_t length = 0;
  unsigned secondLo = 0x80;
  unsigned secondHi = 0xBF;
  unsigned codePoint = 0;
  if (inRange(c, 0xC2, 0xDF)) {
    length = 2;
    codePoint = c & 0x1F;
  } else if (inRange(c, 0xE0, 0xEF)) {
    length = 3;
    codePoint = c & 0x0F;
    if (c == 0xE0) secondLo = 0xA0;  // no overlong forms
    if (c == 0xED) secondHi = 0x9F;  // no surrogates
  } else if (inRange(c, 0xF0, 0xF4)) {
    length = 4;
    codePoint = c & 0x07;
    if (c == 0xF0) secondLo = 0x90;
    if (c == 0xF4) secondHi = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (s.size() < length || !inRange(at(1), secondLo, secondHi)) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if (!inRange(at(i), 0x80, 0xBF)) return 0;
    codePoint = (codePoint << 6) | (at(i) & 0x3F);
  }
  if (codePoint < 0xA0 || isInvisible(codePoint)) return 0;  // C1 controls, hidden characters
  return length;
}

}  // namespace

std::string printable(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t length = printableCharLength(text.substr(i));
    if (length > 0) {
      out.append(text.substr(i, length));
      i += length;
      continue;
    }
    const auto byte = static_cast<unsigned char>(text[i++]);
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
  }
  return out;
}

std::string quotedToken(std::string_view token) {
  std::string out = "'";
  out += printable(token.substr(0, kShownBytes));
  out += token.size() > kShownBytes ? "...'" : "'";
  return out;
}

}  // namespace fracflow::io
