// fracflow --timings: the console log, the exit status and every file are those of a plain
// run; the report of each realization goes to stderr, naming the phases that ran.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
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

const std::vector<std::string> kPhases = {
    "network input", "segments, tiny pass", "nodes",         "well",         "DFN assembly",
    "MINRES",        "backbone, files",     "DFN transport", "grid mapping", "grid assembly",
    "BiCG",          "grid files",          "grid transport"};

struct Report {
  int realization = 0;
  std::vector<std::string> ran;     // phases with a time, in report order
  std::vector<std::string> labels;  // every phase line, in report order
  bool hasTotal = false;
  bool hasPeakMemory = false;
  std::string minres;  // the iteration line's value: a count, "-" or "N  (not converged)"
  std::string bicg;
};

struct SplitStderr {
  std::vector<Report> reports;
  std::string rest;  // everything that is not part of a report
};

// Reports are 18 lines: a title, one line per phase (seconds, or "-"), the total, the memory and
// the iterations of each solver.
SplitStderr splitReports(const std::string& err) {
  SplitStderr split;
  std::istringstream lines(err);
  std::string line;
  const std::string title = "fracflow: timings of realization ";
  while (std::getline(lines, line)) {
    if (line.rfind(title, 0) != 0) {
      split.rest += line + "\n";
      continue;
    }
    Report report;
    report.realization = std::stoi(line.substr(title.size()));
    for (std::size_t p = 0; p < kPhases.size() && std::getline(lines, line); ++p) {
      const std::size_t valueStart = line.find_last_of(' ') + 1;
      std::string label = line.substr(0, valueStart);
      label = label.substr(label.find_first_not_of(' '));
      label = label.substr(0, label.find_last_not_of(' ') + 1);
      report.labels.push_back(label);
      if (line.substr(valueStart) != "-") report.ran.push_back(label);
    }
    if (std::getline(lines, line)) report.hasTotal = line.rfind("  realization total", 0) == 0;
    if (std::getline(lines, line)) report.hasPeakMemory = line.rfind("  peak memory (MiB)", 0) == 0;
    const auto iterations = [&](const std::string& label, std::string& value) {
      if (!std::getline(lines, line) || line.rfind("  " + label, 0) != 0) return;
      value = line.substr(label.size() + 2);
      value = value.substr(value.find_first_not_of(' '));
    };
    iterations("MINRES iterations", report.minres);
    iterations("BiCG iterations", report.bicg);
    split.reports.push_back(report);
  }
  return split;
}

// The count of each solver verdict line of the console, in order; a verdict of no convergence
// as the report shows it.
std::vector<std::string> countsIn(const std::string& console, const std::string& pattern) {
  std::vector<std::string> counts;
  const std::regex verdict(pattern);
  for (auto it = std::sregex_iterator(console.begin(), console.end(), verdict);
       it != std::sregex_iterator(); ++it) {
    counts.push_back((*it)[1].matched ? (*it)[1].str() : (*it)[2].str() + "  (not converged)");
  }
  return counts;
}

std::vector<std::string> phasesFrom(const std::string& first, const std::string& last) {
  std::vector<std::string> phases;
  bool in = false;
  for (const std::string& phase : kPhases) {
    in = in || phase == first;
    if (in) phases.push_back(phase);
    if (phase == last) break;
  }
  return phases;
}

std::vector<std::string> without(std::vector<std::string> phases,
                                 const std::vector<std::string>& left) {
  std::erase_if(phases, [&](const std::string& p) {
    return std::find(left.begin(), left.end(), p) != left.end();
  });
  return phases;
}

TEST(Timings, LeaveConsoleAndFilesUnchangedAndReportEachRealization) {
  const std::vector<std::string>& all = kPhases;
  struct Case {
    const char* name;
    std::string data;
    ParameterValues values;
    std::vector<std::vector<std::string>> ran;  // per realization reported
  };
  const Case cases[] = {
      {"every phase, two realizations", "rand_iso_sparse", {}, {all, all}},
      {"second network file missing", "runs3_missing_0002", {}, {all, {}, all}},
      // MINRES gives up after one step: the run ends in the solve.
      {"DFN solve fails",
       "rand_iso_sparse",
       {{"maxit", "1"}},
       {phasesFrom("network input", "MINRES")}},
      {"grid only",
       "rand_iso_sparse",
       {{"dfncp", "2"}},
       {without(all, phasesFrom("DFN assembly", "DFN transport")),
        without(all, phasesFrom("DFN assembly", "DFN transport"))}},
      {"no grid, no walks",
       "rand_iso_sparse",
       {{"dfntr", "2"}, {"grdcp", "2"}},
       {without(all, {"DFN transport", "grid mapping", "grid assembly", "BiCG", "grid files",
                      "grid transport"}),
        without(all, {"DFN transport", "grid mapping", "grid assembly", "BiCG", "grid files",
                      "grid transport"})}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir plainDir;
    TempDir timedDir;
    stageCase(c.data, plainDir.path(), c.values);
    stageCase(c.data, timedDir.path(), c.values);
    const RunResult plain = runFracflow(plainDir.path());
    const RunResult timed = runFracflow(timedDir.path(), {"--timings"});

    EXPECT_EQ(timed.exitStatus, plain.exitStatus);
    EXPECT_TRUE(timed.out == plain.out);
    EXPECT_EQ(plain.err.find("timings"), std::string::npos) << plain.err;
    const std::vector<std::string> names = fileNames(plainDir.path());
    EXPECT_EQ(fileNames(timedDir.path()), names);
    for (const std::string& name : names) {
      if (name.front() == '.') continue;  // the captured streams
      EXPECT_TRUE(readFile(timedDir.path() / name) == readFile(plainDir.path() / name)) << name;
    }

    const SplitStderr split = splitReports(timed.err);
    EXPECT_EQ(split.rest, plain.err);
    ASSERT_EQ(split.reports.size(), c.ran.size()) << timed.err;
    for (std::size_t k = 0; k < c.ran.size(); ++k) {
      const Report& report = split.reports[k];
      EXPECT_EQ(report.realization, static_cast<int>(k) + 1);
      EXPECT_EQ(report.labels, kPhases);
      EXPECT_EQ(report.ran, c.ran[k]) << timed.err;
      EXPECT_TRUE(report.hasTotal);
      EXPECT_TRUE(report.hasPeakMemory);
      const auto ran = [&](const char* phase) {
        return std::find(report.ran.begin(), report.ran.end(), phase) != report.ran.end();
      };
      EXPECT_EQ(report.minres == "-", !ran("MINRES")) << report.minres;
      EXPECT_EQ(report.bicg == "-", !ran("BiCG")) << report.bicg;
    }
    // The counts are those of the solvers' console lines, realization by realization.
    std::vector<std::string> minresCounts;
    std::vector<std::string> bicgCounts;
    for (const Report& report : split.reports) {
      if (report.minres != "-") minresCounts.push_back(report.minres);
      if (report.bicg != "-") bicgCounts.push_back(report.bicg);
    }
    EXPECT_EQ(
        minresCounts,
        countsIn(
            plain.out,
            R"(MINRES converged after (\d+) steps|MINRES completed (\d+) steps without convergence)"));
    EXPECT_EQ(bicgCounts, countsIn(plain.out, R"(BiCg converged after (\d+) iterations)"));
  }
}

TEST(Timings, CommandLine) {
  TempDir dir;
  const RunResult help = runFracflow(dir.path(), {"--help"});
  EXPECT_NE(help.out.find("--timings"), std::string::npos);
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const Case cases[] = {
      {{"--timings", "--help"}, "'--help' cannot be combined"},
      {{"--version", "--timings"}, "'--version' cannot be combined"},
      {{"--timings", "--timings"}, "'--timings' cannot be combined"},
      {{"--timings", "-x"}, "unknown argument '-x'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    const RunResult run = runFracflow(dir.path(), c.args);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace fracflow::testing
