#include "options/study_checks.hpp"

#include <gtest/gtest.h>

#include <string>

#include "options/parameter_file.hpp"
#include "support/staged_case.hpp"

namespace fracflow::options {
namespace {

using fracflow::testing::parameterFileText;
using fracflow::testing::ParameterValues;

RunOptions parse(const ParameterValues& values) {
  RunOptions o = parseParameterFile(parameterFileText(values), "Data_and_OutputOptions.txt");
  deriveCellSizes(o);
  return o;
}

struct Case {
  ParameterValues values;
  const char* message;  // nullptr: accepted
};

template <typename Check>
void expectRefusals(const Case* begin, const Case* end, Check check) {
  for (const Case* c = begin; c != end; ++c) {
    std::string trace;
    for (const auto& [name, value] : c->values) trace += name + "=" + value + " ";
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
  const Case cases[] = {
      {{}, nullptr},
      {{{"domainL", "0"}}, "P.txt:1: domainL: expected a length above 0, found 0"},
      {{{"domainL", "-100"}, {"cellx", "0"}},
       "P.txt:1: domainL: expected a length above 0, found -100"},
      {{{"domainW", "-0.5"}}, "P.txt:2: domainW: expected a length above 0, found -0.5"},
      {{{"cellx", "0"}}, "P.txt:3: cellx: expected at least 1 cell, found 0"},
      {{{"celly", "-2"}}, "P.txt:4: celly: expected at least 1 cell, found -2"},
      {{{"numberruns", "-1"}}, "P.txt:12: numberruns: expected 0 to 100 realizations, found -1"},
      {{{"numberruns", "0"}}, nullptr},
      {{{"cellx", "1"}, {"celly", "1"}}, nullptr},
      {{{"bcsize", "0"}},
       "P.txt:10: bcsize: expected at least 1 bin when particles are tracked, found 0 (every "
       "arrival would be lost)"},
      {{{"bcstep", "-5"}},
       "P.txt:11: bcstep: expected a bin width of at least 1 when particles are tracked, found -5 "
       "(every arrival would be lost)"},
      // Only the DFN walk, or only the grid walk, runs: the bins are still used.
      {{{"bcsize", "0"}, {"grdcp", "2"}},
       "P.txt:10: bcsize: expected at least 1 bin when particles are "
       "tracked, found 0 (every arrival would be lost)"},
      {{{"bcsize", "0"}, {"dfncp", "2"}},
       "P.txt:10: bcsize: expected at least 1 bin when particles are "
       "tracked, found 0 (every arrival would be lost)"},
      // No walk runs: a walk switched on without its flow computation does not count.
      {{{"bcsize", "0"}, {"bcstep", "0"}, {"dfntr", "2"}, {"grdtr", "2"}}, nullptr},
      {{{"bcsize", "0"}, {"bcstep", "0"}, {"dfncp", "2"}, {"grdcp", "2"}}, nullptr},
      {{{"bcsize", "0"}, {"bcstep", "-1"}, {"dfncp", "2"}, {"grdtr", "2"}}, nullptr},
  };
  expectRefusals(std::begin(cases), std::end(cases), studyValueRefusal);
}

TEST(StudyChecks, RefusesAGridTooLargeToNumberBeforeTheFirstRealization) {
  const Case cases[] = {
      {{{"cellx", "46340"}, {"celly", "46340"}}, nullptr},
      {{{"cellx", "46341"}, {"celly", "46341"}},
       "P.txt:3: cellx: a grid of 46341 x 46341 cells (cellx x celly, lines 3 and 4) has more "
       "than the 2147483647 cells the grid can number"},
      {{{"cellx", "2147483647"}, {"celly", "1"}}, nullptr},
      {{{"cellx", "2"}, {"celly", "2147483647"}},
       "P.txt:3: cellx: a grid of 2 x 2147483647 cells (cellx x celly, lines 3 and 4) has more "
       "than the 2147483647 cells the grid can number"},
      // Without the grid computation the grid is never built.
      {{{"cellx", "46341"}, {"celly", "46341"}, {"grdcp", "2"}}, nullptr},
  };
  expectRefusals(std::begin(cases), std::end(cases),
                 [](const RunOptions& o, std::string_view file) {
                   return studySizeRefusal(o, file, std::nullopt);
                 });
}

TEST(StudyChecks, RefusesBreakthroughCurvesLargerThanTheMachinesMemory) {
  const Case cases[] = {
      {{{"bcsize", "2000000000"}},
       "P.txt:10: bcsize: 2000000000 bins need 40.0 GB for a breakthrough curve (5 counters per "
       "bin), more than the 24.0 GB of memory of this machine"},
      {{{"bcsize", "1200000000"}}, nullptr},  // 24.0 GB: just fits
      {{{"bcsize", "1200000001"}, {"grdcp", "2"}},
       "P.txt:10: bcsize: 1200000001 bins need 24.0 GB for a breakthrough curve (5 counters per "
       "bin), more than the 24.0 GB of memory of this machine"},
      // Without a particle walk no curve is made.
      {{{"bcsize", "2000000000"}, {"dfntr", "2"}, {"grdtr", "2"}}, nullptr},
  };
  expectRefusals(std::begin(cases), std::end(cases),
                 [](const RunOptions& o, std::string_view file) {
                   return studySizeRefusal(o, file, std::uint64_t{24'000'000'000});
                 });
  // Without a known memory size nothing is refused for it.
  EXPECT_FALSE(studySizeRefusal(parse({{"bcsize", "2000000000"}}), "P.txt", std::nullopt));
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
