// End-to-end runs of the cases in tests/data: every file a run writes, its console log and
// its exit status must match the expected ones byte for byte, and nothing else is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/files.hpp"
#include "support/run_fracflow.hpp"
#include "support/staged_case.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::testing {
namespace {
namespace fs = std::filesystem;

// The line number and the two lines where texts first differ, for a readable failure.
std::string firstDifference(const std::string& actual, const std::string& expected) {
  std::size_t line = 1, start = 0, i = 0;
  while (i < actual.size() && i < expected.size() && actual[i] == expected[i]) {
    if (actual[i] == '\n') {
      ++line;
      start = i + 1;
    }
    ++i;
  }
  auto lineAt = [start](const std::string& text) {
    const std::size_t end = text.find('\n', start);
    return start <= text.size() ? text.substr(start, end == std::string::npos ? end : end - start)
                                : std::string();
  };
  return "line " + std::to_string(line) + ":\n  actual:   " + lineAt(actual) +
         "\n  expected: " + lineAt(expected);
}

class GoldenRun : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenRun, MatchesExpectedOutputByteForByte) {
  const fs::path expectedDir = caseFolder(GetParam()) / "expected";
  TempDir work;
  stageCase(GetParam(), work.path());
  const std::vector<std::string> staged = fileNames(work.path());
  const std::set<std::string> inputs(staged.begin(), staged.end());

  const RunResult run = runFracflow(work.path());

  EXPECT_EQ(std::to_string(run.exitStatus) + "\n", readFile(expectedDir / "exit_status.txt"))
      << run.err;
  const std::string expectedOut = readFile(expectedDir / "stdout.txt");
  EXPECT_TRUE(run.out == expectedOut)
      << "stdout differs at " << firstDifference(run.out, expectedOut);

  std::vector<std::string> written;
  for (const std::string& name : fileNames(work.path())) {
    if (inputs.count(name) == 0) written.push_back(name);
  }
  std::vector<std::string> expected;
  for (const std::string& name : fileNames(expectedDir)) {
    if (name != "stdout.txt" && name != "exit_status.txt") expected.push_back(name);
  }
  EXPECT_EQ(written, expected);
  for (const std::string& name : expected) {
    if (!fs::exists(work.path() / name)) continue;
    const std::string actual = readFile(work.path() / name);
    const std::string wanted = readFile(expectedDir / name);
    EXPECT_TRUE(actual == wanted) << name << " differs at " << firstDifference(actual, wanted);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenRun, ::testing::ValuesIn(endToEndCaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                           return param.param;
                         });

}  // namespace
}  // namespace fracflow::testing
