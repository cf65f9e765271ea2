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

TEST(ParameterFile, ReadsAValueAsAWholeToken) {
  struct Case {
    const char* text;
    int expected;
  };
  // An int field may carry a fraction, which is dropped.
  const Case intCases[] = {
      {"1.0", 1},
      {"2.5", 2},
      {"20.9", 20},
      {"25.", 25},
      {"  \t7", 7},
      {"+3", 3},
      {"-4", -4},
      {"-0.5", 0},
      {"12\tlabel", 12},
      {"13\vlabel", 13},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483648},
  };
  for (const Case& c : intCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(parse({{12, c.text}}).numberruns, c.expected);
  }
  EXPECT_EQ(parse({{1, ".5"}}).domainL, 0.5);
  EXPECT_EQ(parse({{1, "5."}}).domainL, 5.0);
  EXPECT_EQ(parse({{1, "-1.5E+2"}}).domainL, -150.0);
  EXPECT_EQ(parse({{1, "+2e1"}}).domainL, 20.0);
  EXPECT_EQ(parse({{1, "4e-320"}}).domainL, 4e-320);  // subnormal, still a number
}

TEST(ParameterFile, SkipsAByteOrderMarkAtTheStart) {
  const RunOptions o =
      parseParameterFile("\xEF\xBB\xBF" + parameterFileText({{"domainL", "250"}}), "f");
  EXPECT_EQ(o.domainL, 250.0);
  EXPECT_EQ(o.tol, 1e-9);
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
       "Data_and_OutputOptions.txt:17: minFracL1: expected a number, found 'abc'"},
      // Nothing before the label: the label is what was found.
      {parameterFileTextByLine({{3, ""}}),
       "Data_and_OutputOptions.txt:3: cellx: expected an integer, found 'cellx'"},
      {std::string("\n") + valid.substr(valid.find('\n') + 1),
       "Data_and_OutputOptions.txt:1: domainL: expected a number, found an empty line"},
      {parameterFileTextByLine({{12, ".5"}}),
       "Data_and_OutputOptions.txt:12: numberruns: expected an integer, found '.5'"},
      // Anything glued to a number is part of its token.
      {parameterFileTextByLine({{9, "5OO"}}),
       "Data_and_OutputOptions.txt:9: totalparticles: expected an integer, found '5OO'"},
      {parameterFileTextByLine({{3, "1OO"}}),
       "Data_and_OutputOptions.txt:3: cellx: expected an integer, found '1OO'"},
      {parameterFileTextByLine({{9, "100,5"}}),
       "Data_and_OutputOptions.txt:9: totalparticles: expected an integer, found '100,5'"},
      {parameterFileTextByLine({{16, "0,35"}}),
       "Data_and_OutputOptions.txt:16: prob1: expected a number, found '0,35'"},
      {parameterFileTextByLine({{1, "3O.0"}}),
       "Data_and_OutputOptions.txt:1: domainL: expected a number, found '3O.0'"},
      {parameterFileTextByLine({{1, "1.5.3"}}),
       "Data_and_OutputOptions.txt:1: domainL: expected a number, found '1.5.3'"},
      {parameterFileTextByLine({{12, "1.5.3"}}),
       "Data_and_OutputOptions.txt:12: numberruns: expected an integer, found '1.5.3'"},
      {parameterFileTextByLine({{12, "2e1"}}),
       "Data_and_OutputOptions.txt:12: numberruns: expected an integer, found '2e1'"},
      {parameterFileTextByLine({{12, "12abc"}}),
       "Data_and_OutputOptions.txt:12: numberruns: expected an integer, found '12abc'"},
      {parameterFileTextByLine({{1, "3e"}}),
       "Data_and_OutputOptions.txt:1: domainL: expected a number, found '3e'"},
      {parameterFileTextByLine({{1, "-1.5E+2xyz"}}),
       "Data_and_OutputOptions.txt:1: domainL: expected a number, found '-1.5E+2xyz'"},
      {parameterFileTextByLine({{66, "nan"}}),
       "Data_and_OutputOptions.txt:66: tol: expected a number, found 'nan'"},
      {parameterFileTextByLine({{66, "1e-9\xc2\xa0tol"}}),
       "Data_and_OutputOptions.txt:66: tol: expected a number, found '1e-9\\xC2\\xA0tol'"},
      {parameterFileTextByLine({{17, "1\x1b[31m\x01x"}}),
       "Data_and_OutputOptions.txt:17: minFracL1: expected a number, found '1\\x1B[31m\\x01x'"},
      {parameterFileTextByLine({{17, "1" + std::string(40, 'x')}}),
       "Data_and_OutputOptions.txt:17: minFracL1: expected a number, found "
       "'1xxxxxxxxxxxxxxxxxxxxxxx...'"},
      // Numbers that no field can hold.
      {parameterFileTextByLine({{49, "99999999999"}}),
       "Data_and_OutputOptions.txt:49: sink: integer out of range, found '99999999999'"},
      {parameterFileTextByLine({{65, "2147483648"}}),
       "Data_and_OutputOptions.txt:65: maxit: integer out of range, found '2147483648'"},
      {parameterFileTextByLine({{1, "1e999"}}),
       "Data_and_OutputOptions.txt:1: domainL: number out of range, found '1e999'"},
      {parameterFileTextByLine({{66, "-1e-999"}}),
       "Data_and_OutputOptions.txt:66: tol: number out of range, found '-1e-999'"},
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
