#include "options/study_checks.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "options/parameter_file.hpp"
#include "support/run_fracflow.hpp"

namespace fracflow::options {
namespace {

using fracflow::testing::parameterFileText;

RunOptions parse(const std::map<int, std::string>& values) {
  RunOptions o = parseParameterFile(parameterFileText(values), "Data_and_OutputOptions.txt");
  deriveCellSizes(o);
  return o;
}

struct Case {
  std::map<int, std::string> values;
  const char* message;  // nullptr: accepted
};

void expectRefusals(const Case* begin, const Case* end,
                    std::optional<std::string> (*check)(const RunOptions&, std::string_view)) {
  for (const Case* c = begin; c != end; ++c) {
    std::string trace;
    for (const auto& [line, value] : c->values) trace += std::to_string(line) + "=" + value + " ";
    SCOPED_TRACE(trace);
    const std::optional<std::string> message = check(parse(c->values), "P.txt");
    if (c->message == nullptr) {
      EXPECT_FALSE(message.has_value()) << *message;
    } else {
      ASSERT_TRUE(message.has_value());
      EXPECT_EQ(*message, c->message);
    }
  }
}

TEST(StudyChecks, RefusesValuesThatDescribeNoStudy) {
  // Switches: 55 dfncp, 59 dfntr, 60 grdcp, 63 grdtr.
  const Case cases[] = {
      {{}, nullptr},
      {{{1, "0"}}, "P.txt:1: domainL: expected a length above 0, found 0"},
      {{{1, "-100"}, {3, "0"}}, "P.txt:1: domainL: expected a length above 0, found -100"},
      {{{2, "-0.5"}}, "P.txt:2: domainW: expected a length above 0, found -0.5"},
      {{{3, "0"}}, "P.txt:3: cellx: expected at least 1 cell, found 0"},
      {{{4, "-2"}}, "P.txt:4: celly: expected at least 1 cell, found -2"},
      {{{12, "-1"}}, "P.txt:12: numberruns: expected 0 to 100 realizations, found -1"},
      {{{12, "0"}}, nullptr},
      {{{3, "1"}, {4, "1"}}, nullptr},
      {{{10, "0"}},
       "P.txt:10: bcsize: expected at least 1 bin when particles are tracked, found 0 (every "
       "arrival would be lost)"},
      {{{11, "-5"}},
       "P.txt:11: bcstep: expected a bin width of at least 1 when particles are tracked, found -5 "
       "(every arrival would be lost)"},
      // Only the DFN walk, or only the grid walk, runs: the bins are still used.
      {{{10, "0"}, {60, "2"}},
       "P.txt:10: bcsize: expected at least 1 bin when particles are "
       "tracked, found 0 (every arrival would be lost)"},
      {{{10, "0"}, {55, "2"}},
       "P.txt:10: bcsize: expected at least 1 bin when particles are "
       "tracked, found 0 (every arrival would be lost)"},
      // No walk runs: a walk switched on without its flow computation does not count.
      {{{10, "0"}, {11, "0"}, {59, "2"}, {63, "2"}}, nullptr},
      {{{10, "0"}, {11, "0"}, {55, "2"}, {60, "2"}}, nullptr},
      {{{10, "0"}, {11, "-1"}, {55, "2"}, {63, "2"}}, nullptr},
  };
  expectRefusals(std::begin(cases), std::end(cases), studyValueRefusal);
}

TEST(StudyChecks, RefusesAGridTooLargeToNumberBeforeTheFirstRealization) {
  const Case cases[] = {
      {{{3, "46340"}, {4, "46340"}}, nullptr},
      {{{3, "46341"}, {4, "46341"}},
       "P.txt:3: cellx: a grid of 46341 x 46341 cells (cellx x celly, lines 3 and 4) has more "
       "than the 2147483647 cells the grid can number"},
      {{{3, "2147483647"}, {4, "1"}}, nullptr},
      {{{3, "2"}, {4, "2147483647"}},
       "P.txt:3: cellx: a grid of 2 x 2147483647 cells (cellx x celly, lines 3 and 4) has more "
       "than the 2147483647 cells the grid can number"},
      // Without the grid computation the grid is never built.
      {{{3, "46341"}, {4, "46341"}, {60, "2"}}, nullptr},
  };
  expectRefusals(std::begin(cases), std::end(cases), studySizeRefusal);
}

TEST(StudyChecks, NamesTheLineOfEachField) {
  EXPECT_EQ(parameterLine("domainL"), 1);
  EXPECT_EQ(parameterLine("bcstep"), 11);
  EXPECT_EQ(parameterLine("minFracL2"), 25);
  EXPECT_EQ(parameterLine("grdtr"), 63);
  EXPECT_EQ(parameterLine("tol"), 66);
  EXPECT_EQ(parameterLine("separator"), 0);
  EXPECT_EQ(parameterLine("nosuchfield"), 0);
}

}  // namespace
}  // namespace fracflow::options
