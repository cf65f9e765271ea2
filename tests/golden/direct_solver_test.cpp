// The end-to-end cases run with --solver direct: every file written before the flow solve is
// byte-identical to the expected one, the head and flow files agree with it to the solver
// tolerance, and the console differs only where the solvers report (one line per system) and
// in numbers that come after a solve.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/files.hpp"
#include "support/run_fracflow.hpp"
#include "support/staged_case.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::testing {
namespace {
namespace fs = std::filesystem;

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

bool isIterativeSolverLine(const std::string& line) {
  return line.starts_with("Iteration Number = ") || line.starts_with("MINRES ") ||
         line.starts_with("BiCg ");
}

// Splits a text into its numbers and the text between them.
struct Tokens {
  std::vector<double> numbers;
  std::string skeleton;  // the text with each number replaced by '#'
};

Tokens tokens(const std::string& text) {
  static const std::regex number(R"([-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?)");
  Tokens result;
  std::size_t last = 0;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), number);
       it != std::sregex_iterator(); ++it) {
    result.skeleton += text.substr(last, static_cast<std::size_t>(it->position()) - last) + "#";
    result.numbers.push_back(std::stod(it->str()));
    last = static_cast<std::size_t>(it->position() + it->length());
  }
  result.skeleton += text.substr(last);
  return result;
}

// Same layout and every number within relative * (the largest magnitude in the expected file).
::testing::AssertionResult agreeNumerically(const std::string& actual, const std::string& expected,
                                            double relative) {
  const Tokens a = tokens(actual);
  const Tokens e = tokens(expected);
  if (a.skeleton != e.skeleton) return ::testing::AssertionFailure() << "the layouts differ";
  double scale = 0.0;
  for (double value : e.numbers) scale = std::max(scale, std::abs(value));
  for (std::size_t i = 0; i < a.numbers.size(); ++i) {
    if (!(std::abs(a.numbers[i] - e.numbers[i]) <= relative * scale)) {
      return ::testing::AssertionFailure() << "number " << i << ": " << a.numbers[i] << " against "
                                           << e.numbers[i] << " (scale " << scale << ")";
    }
  }
  return ::testing::AssertionSuccess();
}

bool writtenBeforeTheSolve(const std::string& name) {
  for (const char* prefix : {"Fractures.", "Segments.", "a.", "b.", "ag.", "bg."}) {
    if (name.starts_with(prefix)) return true;
  }
  return false;
}

bool headOrFlowFile(const std::string& name) {
  for (const char* prefix : {"dfnhead.", "grdhead.", "DFN_flow.", "Grd_flow.", "FlowData."}) {
    if (name.starts_with(prefix)) return true;
  }
  return false;
}

class DirectSolverRun : public ::testing::TestWithParam<std::string> {};

TEST_P(DirectSolverRun, AgreesWithTheExpectedOutputToTheTolerance) {
  const fs::path expectedDir = caseFolder(GetParam()) / "expected";
  TempDir work;
  stageCase(GetParam(), work.path());
  const std::vector<std::string> staged = fileNames(work.path());
  const std::set<std::string> inputs(staged.begin(), staged.end());

  const RunResult run = runFracflow(work.path(), {"--solver", "direct"});
  EXPECT_EQ(std::to_string(run.exitStatus) + "\n", readFile(expectedDir / "exit_status.txt"))
      << run.err;

  // The console: the iterative solvers' lines give way to one line per system; the rest keeps
  // its labels, and everything up to the first solve is the same text.
  std::vector<std::string> expectedLines;
  int solves = 0;
  for (const std::string& line : lines(readFile(expectedDir / "stdout.txt"))) {
    if (line.starts_with("MINRES ") || line.starts_with("BiCg converged")) ++solves;
    if (!isIterativeSolverLine(line)) expectedLines.push_back(line);
  }
  std::vector<std::string> actualLines;
  std::vector<std::string> directLines;
  for (const std::string& line : lines(run.out)) {
    if (line.starts_with("Direct solve ")) {
      directLines.push_back(line);
    } else {
      actualLines.push_back(line);
    }
  }
  EXPECT_EQ(static_cast<int>(directLines.size()), solves);
  for (const std::string& line : directLines) {
    EXPECT_TRUE(std::regex_match(line, std::regex(R"(Direct solve \((Cholesky|LU)\) of \d+ )"
                                                  R"(unknowns: relative residual = \S+)")))
        << line;
  }
  ASSERT_EQ(actualLines.size(), expectedLines.size()) << run.out;
  bool solved = false;
  const std::string firstSolveLine = lines(run.out).empty() ? "" : [&] {
    for (const std::string& line : lines(run.out)) {
      if (line.starts_with("Direct solve ")) return line;
    }
    return std::string();
  }();
  std::size_t beforeSolve = 0;
  for (const std::string& line : lines(run.out)) {
    if (line == firstSolveLine) break;
    ++beforeSolve;
  }
  for (std::size_t i = 0; i < actualLines.size(); ++i) {
    solved = solved || i >= beforeSolve;
    if (!solved) {
      EXPECT_EQ(actualLines[i], expectedLines[i]);
    } else {
      EXPECT_EQ(tokens(actualLines[i]).skeleton, tokens(expectedLines[i]).skeleton);
    }
  }

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
    SCOPED_TRACE(name);
    const std::string actual = readFile(work.path() / name);
    const std::string wanted = readFile(expectedDir / name);
    if (writtenBeforeTheSolve(name)) {
      EXPECT_TRUE(actual == wanted);
    } else if (headOrFlowFile(name)) {
      EXPECT_TRUE(agreeNumerically(actual, wanted, 1e-6));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, DirectSolverRun, ::testing::ValuesIn(endToEndCaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                           return param.param;
                         });

}  // namespace
}  // namespace fracflow::testing
