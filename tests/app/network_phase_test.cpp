// End-to-end runs of the executable in a temporary folder: the console lines of the network
// phases and the Fractures and Segments plot files against the example studies, and the
// paths where a network data file is malformed, short, or holds a segment too short to keep.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/files.hpp"
#include "support/run_fracflow.hpp"
#include "support/staged_case.hpp"
#include "support/temp_dir.hpp"

namespace fracflow {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) { return fs::exists(path) ? testing::readFile(path) : ""; }

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

// The console up to each realization's "Total Nodes = " line: later phases are not part of
// this comparison. A realization without that line (skipped, or ending the run) is whole.
std::vector<std::string> networkLines(const std::string& stdoutText) {
  std::vector<std::string> out;
  bool keep = true;
  for (const std::string& line : lines(stdoutText)) {
    if (line.rfind("STARTING THE SIMULATIONS", 0) == 0) {
      // The header opens with two empty lines and a line of slashes before this line.
      if (!keep) out.insert(out.end(), {"", "", std::string(65, '/'), ""});
      keep = true;
    }
    if (keep) out.push_back(line);
    if (line.rfind("Total Nodes = ", 0) == 0) keep = false;
  }
  return out;
}

class NetworkPhaseRun : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = work_.path(); }

  testing::RunResult run() const { return testing::runFracflow(dir_); }

  testing::TempDir work_;
  fs::path dir_;
};

TEST_F(NetworkPhaseRun, MatchesTheExampleStudies) {
  for (const char* study : {"edge_clip", "edge_tiny", "edge_diag45", "runs3_missing_0002",
                            "rand_iso_sparse", "rand_three_sets_rect"}) {
    SCOPED_TRACE(study);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    testing::stageCase(study, dir_);
    const testing::RunResult r = run();
    const fs::path expected = testing::caseFolder(study) / "expected";
    EXPECT_EQ(networkLines(r.out), networkLines(slurp(expected / "stdout.txt")));
    int plots = 0;
    for (const auto& entry : fs::directory_iterator(expected)) {
      const std::string name = entry.path().filename().string();
      if (name.rfind("Fractures.", 0) != 0 && name.rfind("Segments.", 0) != 0) continue;
      SCOPED_TRACE(name);
      ++plots;
      EXPECT_EQ(slurp(dir_ / name), slurp(entry.path()));
    }
    EXPECT_GT(plots, 0);
  }
}

TEST_F(NetworkPhaseRun, SkipsARealizationWhoseNetworkFileIsMalformed) {
  testing::stageCase("edge_tiny", dir_, {{"numberruns", "2"}});
  const std::string good = slurp(dir_ / "Network_data.0001.txt");
  fs::copy_file(dir_ / "Network_data.0001.txt", dir_ / "Network_data.0002.txt");
  testing::writeFile(dir_ / "Network_data.0001.txt", "0 10 80 10 1\n\n80 10 eighty 10 1\n" + good);
  const testing::RunResult r = run();
  EXPECT_EQ(r.exitStatus, 1);
  EXPECT_NE(r.err.find("Network_data.0001.txt:3: x2: expected a number, found 'eighty'"),
            std::string::npos)
      << r.err;
  // Nothing of realization 1 is printed or written; realization 2 runs as usual.
  const std::vector<std::string> out = lines(r.out);
  const auto first = std::find(out.begin(), out.end(),
                               "STARTING THE SIMULATIONS FOR MONTE-CARLO RELIAZATION NUMBER = 1");
  ASSERT_NE(first, out.end());
  ASSERT_GT(out.end() - first, 8);
  EXPECT_EQ(first[6], std::string(65, '/'));
  EXPECT_EQ(first[8], "STARTING THE SIMULATIONS FOR MONTE-CARLO RELIAZATION NUMBER = 2");
  EXPECT_NE(r.out.find("Number of Fractures = 30"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / "Fractures.0001.bln"));
  EXPECT_TRUE(fs::exists(dir_ / "Segments.0002.bln"));
}

TEST_F(NetworkPhaseRun, ReadsAShortFileWholeAndNotesTheLinesOfALongOneNotRead) {
  // meet_fracs above the 30 lines of the file, as fracgen advises for the largest file of a
  // study: the file is read whole, with no note.
  testing::stageCase("edge_tiny", dir_, {{"meet_fracs", "40"}});
  const testing::RunResult shortFile = run();
  EXPECT_EQ(shortFile.err, "");
  EXPECT_EQ(networkLines(shortFile.out),
            networkLines(slurp(testing::caseFolder("edge_tiny") / "expected" / "stdout.txt")));
  // Below it: the last lines are not read, which the user is told.
  testing::setParameters(dir_, {{"meet_fracs", "25"}});
  const testing::RunResult longFile = run();
  EXPECT_NE(longFile.err.find("fracflow: Network_data.0001.txt: its last 5 fracture lines were "
                              "not read (meet_fracs, line 13, is 25)"),
            std::string::npos)
      << longFile.err;
  EXPECT_NE(longFile.out.find("Number of Fractures = 25"), std::string::npos);
}

TEST_F(NetworkPhaseRun, EndsTheRunAtASegmentTooShortToKeep) {
  testing::stageCase("edge_tiny", dir_, {{"numberruns", "2"}, {"meet_fracs", "3"}});
  // The boundary-to-boundary fracture moves to the front, in exchange with the first one; the
  // second, of no length, keeps its place: index 1.
  testing::writeFile(dir_ / "Network_data.0001.txt",
                     "20 20 30 30 1\n40 40 40 40 1\n0 50 100 50 1\n");
  fs::copy_file(dir_ / "Network_data.0001.txt", dir_ / "Network_data.0002.txt");
  const testing::RunResult r = run();
  EXPECT_EQ(r.exitStatus, 1);
  const std::vector<std::string> out = lines(r.out);
  ASSERT_GE(out.size(), 4u);
  EXPECT_EQ(out[out.size() - 2], "Total number of segments = 3");
  EXPECT_EQ(out.back(),
            "DFN simulation for realization number 1 is being aborted as at least one fracture "
            "segment is too tiny! ID number = 1");
  EXPECT_TRUE(fs::exists(dir_ / "Segments.0001.bln"));
  EXPECT_FALSE(fs::exists(dir_ / "Fractures.0002.bln"));
}

}  // namespace
}  // namespace fracflow
