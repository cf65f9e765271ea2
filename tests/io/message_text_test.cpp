#include "io/message_text.hpp"

#include <gtest/gtest.h>

namespace fracflow::io {
namespace {

TEST(MessageText, EscapesWhatATerminalWouldNotShowPlainly) {
  const struct {
    std::string_view text;
    const char* shown;
  } cases[] = {
      {"plain ASCII 1.5e-3 ~!", "plain ASCII 1.5e-3 ~!"},
      {"\t\n\r\x1b[2J\x7f", "\\x09\\x0A\\x0D\\x1B[2J\\x7F"},
      {std::string_view("a\0b", 3), "a\\x00b"},
      // Well-formed UTF-8 stays: labels in the user's language.
      {"5 \xc2\xb5m, d\xc3\xa9"
       "bit \xe2\x82\xac \xf0\x9f\x8c\x8a",
       "5 \xc2\xb5m, d\xc3\xa9"
       "bit \xe2\x82\xac \xf0\x9f\x8c\x8a"},
      // Bytes that are not UTF-8: stray, cut short, overlong, surrogate, beyond U+10FFFF.
      {"\xff\xfe", "\\xFF\\xFE"},
      {"\xc3", "\\xC3"},
      {"\xe2\x82", "\\xE2\\x82"},
      {"\xc0\x80", "\\xC0\\x80"},
      {"\xe0\x80\xaf", "\\xE0\\x80\\xAF"},
      {"\xed\xa0\x80", "\\xED\\xA0\\x80"},
      {"\xf4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},
      // C1 controls and characters shown as nothing or as a blank.
      {"\xc2\x9b"
       "31m",
       "\\xC2\\x9B31m"},
      {"1\xc2\xa0"
       "2",
       "1\\xC2\\xA02"},
      {"\xef\xbb\xbf"
       "1",
       "\\xEF\\xBB\\xBF1"},
      {"\xe2\x80\x8b\xe2\x80\xae", "\\xE2\\x80\\x8B\\xE2\\x80\\xAE"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    EXPECT_EQ(printable(c.text), c.shown);
  }
}

TEST(MessageText, QuotesATokenCutAfterItsFirstBytes) {
  EXPECT_EQ(quotedToken("5OO"), "'5OO'");
  EXPECT_EQ(quotedToken(""), "''");
  EXPECT_EQ(quotedToken(std::string(24, 'x')), "'" + std::string(24, 'x') + "'");
  EXPECT_EQ(quotedToken(std::string(25, 'x')), "'" + std::string(24, 'x') + "...'");
  EXPECT_EQ(quotedToken(std::string(30, '\x01')),
            "'" + printable(std::string(24, '\x01')) + "...'");
}

}  // namespace
}  // namespace fracflow::io
