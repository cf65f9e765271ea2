#include "options/parameter_file.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "io/error.hpp"
#include "support/staged_case.hpp"

namespace fracflow::options {
namespace {

using fracflow::testing::parameterFileText;
using fracflow::testing::parameterFileTextByLine;

RunOptions parse(const std::map<int, std::string>& values) {
  return parseParameterFile(parameterFileTextByLine(values), "Data_and_OutputOptions.txt");
}

std::string parseError(const std::string& text) {
  try {
    parseParameterFile(text, "Data_and_OutputOptions.txt");
  } catch (const Error& error) {
    EXPECT_EQ(error.kind(), ErrorKind::Input);
    return error.what();
  }
  return "no error";
}

TEST(ParameterFile, ReadsEveryFieldFromItsLine) {
  const RunOptions o = parse({{1, "200.5"},
                              {4, "7"},
                              {13, "42"},
                              {17, "3.25"},
                              {25, "4.5"},
                              {38, "0.7"},
                              {40, "12"},
                              {47, "-3"},
                              {49, "1"},
                              {53, "2.5e-3"},
                              {63, "2"},
                              {65, "4000"},
                              {66, "1e-09"}});
  EXPECT_EQ(o.domainL, 200.5);
  EXPECT_EQ(o.celly, 7);
  EXPECT_EQ(o.meet_fracs, 42);
  EXPECT_EQ(o.sets[0].minFracL, 3.25);
  EXPECT_EQ(o.sets[1].minFracL, 4.5);
  EXPECT_EQ(o.sets[2].perDev, 0.7);
  EXPECT_EQ(o.tf1, 12.0);
  EXPECT_EQ(o.lf2, -3.0);
  EXPECT_EQ(o.sink, 1);
  EXPECT_EQ(o.sinkFlux, 2.5e-3);
  EXPECT_EQ(o.grdtr, 2);
  EXPECT_EQ(o.maxit, 4000);
  EXPECT_EQ(o.tol, 1e-9);
}

TEST(ParameterFile, ReadsValuesByExtractionRules) {
  struct Case {
    const char* text;
    int expected;
  };
  const Case intCases[] = {
      {"1.0", 1}, {"2.5", 2}, {"  \t7", 7}, {"+3", 3}, {"-4", -4}, {"12abc", 12}, {"5e3", 5},
  };
  for (const Case& c : intCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(parse({{12, c.text}}).numberruns, c.expected);
  }
  EXPECT_EQ(parse({{1, ".5"}}).domainL, 0.5);
  EXPECT_EQ(parse({{1, "5."}}).domainL, 5.0);
  EXPECT_EQ(parse({{1, "-1.5E+2xyz"}}).domainL, -150.0);
  EXPECT_EQ(parse({{1, "3e"}}).domainL, 3.0);
}

TEST(ParameterFile, IgnoresLabelsSeparatorsOfAnyLengthAndLineEnds) {
  const std::string longLabel(500, 'x');
  std::string text = parameterFileTextByLine({{15, longLabel}});
  // A long label after a value, CRLF line ends, and no final line break.
  std::string withLabel;
  std::size_t lineStart = 0;
  int line = 1;
  while (lineStart < text.size()) {
    const std::size_t end = text.find('\n', lineStart);
    std::string content = text.substr(lineStart, end - lineStart);
    if (line == 3) content += " " + longLabel;
    withLabel += content + "\r\n";
    lineStart = end + 1;
    ++line;
  }
  withLabel.resize(withLabel.size() - 2);
  const RunOptions o = parseParameterFile(withLabel, "Data_and_OutputOptions.txt");
  EXPECT_EQ(o.cellx, 10);
  EXPECT_EQ(o.tol, 1e-9);
  // Lines after the 66th are not read.
  EXPECT_EQ(parseParameterFile(text + "garbage\nmore\n", "f").tol, 1e-9);
}

TEST(ParameterFile, ReportsMalformedLinesWithFileLineAndField) {
  const std::string valid = parameterFileText();
  auto cutAfterLine = [&valid](int lines) {
    std::size_t pos = 0;
    for (int i = 0; i < lines; ++i) pos = valid.find('\n', pos) + 1;
    return valid.substr(0, pos);
  };
  struct Case {
    std::string text;
    const char* message;
  };
  const Case cases[] = {
      {parameterFileTextByLine({{17, "abc"}}),
       "Data_and_OutputOptions.txt:17: minFracL1: expected a number"},
      {parameterFileTextByLine({{3, ""}}),
       "Data_and_OutputOptions.txt:3: cellx: expected a number"},
      {parameterFileTextByLine({{12, ".5"}}),
       "Data_and_OutputOptions.txt:12: numberruns: expected a number"},
      {parameterFileTextByLine({{49, "99999999999"}}),
       "Data_and_OutputOptions.txt:49: sink: expected a number"},
      {parameterFileTextByLine({{66, "nan"}}),
       "Data_and_OutputOptions.txt:66: tol: expected a number"},
      {cutAfterLine(65),
       "Data_and_OutputOptions.txt:66: tol: expected a number, the file ends before this line"},
      {cutAfterLine(14),
       "Data_and_OutputOptions.txt:15: separator: missing separator line, the file ends before it"},
      {"",
       "Data_and_OutputOptions.txt:1: domainL: expected a number, the file ends before this line"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(parseError(c.text), c.message);
  }
}

TEST(ParameterFile, ValidatesSwitchesThenRealizationCount) {
  struct Case {
    std::map<int, std::string> values;
    const char* message;  // nullptr: valid
  };
  const char* kAbove = "One or more of the ouput options are more than 2, please correct";
  const char* kBelow = "One or more of the ouput options are less than 1, please correct";
  const char* kRuns = "Number of monteCarlo realizations cannot be more than 100";
  const Case cases[] = {
      {{}, nullptr},
      {{{12, "100"}}, nullptr},
      {{{12, "0"}}, nullptr},
      {{{12, "-5"}}, nullptr},
      {{{12, "101"}}, kRuns},
      {{{54, "0"}, {63, "3"}}, kAbove},
      {{{49, "0"}}, kBelow},
      {{{60, "2"}, {49, "2"}}, nullptr},
      {{{55, "3"}, {12, "101"}}, kAbove},
      {{{61, "-1"}, {12, "500"}}, kBelow},
  };
  for (const Case& c : cases) {
    const std::optional<std::string_view> message = validationMessage(parse(c.values));
    if (c.message == nullptr) {
      EXPECT_FALSE(message.has_value()) << *message;
    } else {
      ASSERT_TRUE(message.has_value());
      EXPECT_EQ(*message, c.message);
    }
  }
}

TEST(ParameterFile, DerivesCellSizes) {
  RunOptions o = parse({{1, "100"}, {2, "50"}, {3, "30"}, {4, "4"}});
  deriveCellSizes(o);
  EXPECT_EQ(o.cellSizeX, 100.0 / 30.0);
  EXPECT_EQ(o.cellSizeY, 12.5);
}

}  // namespace
}  // namespace fracflow::options
