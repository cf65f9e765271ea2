#include "network/fracture_input.hpp"

#include <gtest/gtest.h>

#include <string>

namespace fracflow::network {
namespace {

FractureReading read(std::string_view text, int meetFracs) {
  return readFractures(text, "Network_data.0001.txt", meetFracs, 10.0, 10.0);
}

TEST(ReadFractures, ReadsFiveNumbersPerLineAndIgnoresTheRest) {
  const FractureReading r = read(
      "1 2 3 4 0.5\n"
      "\n"
      "   \t\r\n"
      "+2.5e0 .5 3. 4.25E+0 0e-3 a label of any length, with 1 2 3 numbers\r\n"
      "-1 5 3 5 7\n",  // clipped: end 1 moves onto the left face
      3);
  ASSERT_FALSE(r.error) << *r.error;
  EXPECT_EQ(r.linesRead, 3);
  ASSERT_EQ(r.fractures.size(), 3u);
  EXPECT_EQ(r.fractures[0].perm, 0.5);
  EXPECT_EQ(r.fractures[0].x1, 1.0);
  EXPECT_EQ(r.fractures[0].y2, 4.0);
  EXPECT_EQ(r.fractures[1].x1, 2.5);
  EXPECT_EQ(r.fractures[1].y1, 0.5);
  EXPECT_EQ(r.fractures[1].x2, 3.0);
  EXPECT_EQ(r.fractures[1].y2, 4.25);
  EXPECT_EQ(r.fractures[1].perm, 0.0);  // a permeability value of 0 is kept
  EXPECT_EQ(r.fractures[2].x1, 0.0);
  EXPECT_EQ(r.fractures[2].perm, 7.0);
}

TEST(ReadFractures, StopsAfterMeetFracsLines) {
  // The malformed line after the first two fracture lines is never looked at.
  const FractureReading r = read("1 1 2 2 1\n-3 5 1 5 1\nnot a fracture\n", 2);
  ASSERT_FALSE(r.error);
  EXPECT_EQ(r.linesRead, 2);
  EXPECT_EQ(r.fractures.size(), 1u);  // the second fails the midpoint test and is dropped

  const FractureReading none = read("1 1 2 2 1\n", 0);
  EXPECT_EQ(none.linesRead, 0);
  EXPECT_TRUE(none.fractures.empty());
}

TEST(ReadFractures, CountsTheFractureLinesAfterTheFirstMeetFracs) {
  const std::string text = "1 1 2 2 1\n\n3 3 4 4 1\n5 5 6 6 1\n  \nnot a fracture\n7 7 8 8 1";
  const struct {
    int meetFracs;
    int notRead;
  } cases[] = {{0, 5}, {1, 4}, {2, 3}, {3, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.meetFracs);
    const FractureReading r = read(text, c.meetFracs);
    EXPECT_FALSE(r.error);
    EXPECT_EQ(r.linesNotRead, c.notRead);
  }
  EXPECT_EQ(read("1 1 2 2 1\n\n \t\r\n", 1).linesNotRead, 0);
  EXPECT_EQ(read("1 1 2 2 1\n3 3 4 4 1", 2).linesNotRead, 0);
  EXPECT_EQ(read("1 1 2 2 1\n3 3 4 4 1", 9).linesNotRead, 0);
}

TEST(ReadFractures, SkipsAByteOrderMarkAtTheStart) {
  const FractureReading r = read(
      "\xEF\xBB\xBF"
      "1 1 2 2 0.5\n3 3 4 4 1\n",
      5);
  ASSERT_FALSE(r.error) << *r.error;
  ASSERT_EQ(r.fractures.size(), 2u);
  EXPECT_EQ(r.fractures[0].x1, 1.0);
  EXPECT_EQ(r.fractures[0].perm, 0.5);
}

TEST(ReadFractures, UsesTheLinesPresentWhenTheFileIsShort) {
  const FractureReading r = read("1 1 2 2 1\n\n3 3 4 4 1", 5);  // no final line break
  ASSERT_FALSE(r.error);
  EXPECT_EQ(r.linesRead, 2);
  EXPECT_EQ(r.fractures.size(), 2u);
  EXPECT_EQ(read("", 3).linesRead, 0);
}

TEST(ReadFractures, ReportsAMalformedLineWithFileAndLineNumber) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"1 2 3 4\n", "Network_data.0001.txt:1: expected five numbers (x1 y1 x2 y2 perm), found 4"},
      {"1 1 2 2 1\n\n1 2 3\n",
       "Network_data.0001.txt:3: expected five numbers (x1 y1 x2 y2 perm), found 3"},
      {"1 2 abc 4 5\n", "Network_data.0001.txt:1: x2: expected a number, found 'abc'"},
      {"1 2 3 4 1.0abc\n", "Network_data.0001.txt:1: perm: expected a number, found '1.0abc'"},
      {"1,2 3 4 5 6\n", "Network_data.0001.txt:1: x1: expected a number, found '1,2'"},
      {"1 nan 3 4 5\n", "Network_data.0001.txt:1: y1: expected a number, found 'nan'"},
      {"1 2 inf 4 5\n", "Network_data.0001.txt:1: x2: expected a number, found 'inf'"},
      {"1 2 3 1e999 5\n", "Network_data.0001.txt:1: y2: number out of range, found '1e999'"},
      {"1 2 3 4 1e-400\n", "Network_data.0001.txt:1: perm: number out of range, found '1e-400'"},
      {"1 1 2 2 1\n1 2 3 4 -0.5\n",
       "Network_data.0001.txt:2: perm: expected a permeability value of 0 or more, found '-0.5'"},
      {"1 2 3 4 -1e-300 label\n",
       "Network_data.0001.txt:1: perm: expected a permeability value of 0 or more, found "
       "'-1e-300'"},
      // Bytes of a binary file are shown escaped, never raw.
      {"1 2 \x01\x7f\x1b[2J\xff 4 5\n",
       "Network_data.0001.txt:1: x2: expected a number, found '\\x01\\x7F\\x1B[2J\\xFF'"},
      {"\xEF\xBB\xBF\xEF\xBB\xBF"
       "1 2 3 4 5\n",
       "Network_data.0001.txt:1: x1: expected a number, found '\\xEF\\xBB\\xBF1'"},
      {"1 2 3 4 5e\n", "Network_data.0001.txt:1: perm: expected a number, found '5e'"},
      {"1 2 3 4 -\n", "Network_data.0001.txt:1: perm: expected a number, found '-'"},
      {"1 2 3 4 x123456789012345678901234567890\n",
       "Network_data.0001.txt:1: perm: expected a number, found 'x12345678901234567890123...'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const FractureReading r = read(c.text, 5);
    ASSERT_TRUE(r.error.has_value());
    EXPECT_EQ(*r.error, c.error);
  }
}

}  // namespace
}  // namespace fracflow::network
