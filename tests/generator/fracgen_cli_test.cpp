// fracgen as a user meets it: the executable in a folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "support/files.hpp"
#include "support/run_fracflow.hpp"
#include "support/staged_case.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::testing {
namespace {

RunResult runFracgen(const std::filesystem::path& folder,
                     const std::vector<std::string>& args = {}) {
  return runExecutable(FRACGEN_EXE, folder, args);
}

const std::vector<std::string> kThreeNetworks = {"Data_and_OutputOptions.txt",
                                                 "Network_data.0001.txt", "Network_data.0002.txt",
                                                 "Network_data.0003.txt"};

TEST(Fracgen, WritesOneNetworkPerRealizationAndSummarisesThem) {
  TempDir dir;
  writeFile(dir.path() / "Data_and_OutputOptions.txt", parameterFileText({{"fracDen", "0.3"}}));
  const RunResult run = runFracgen(dir.path());
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.err, "");  // progress only goes to a terminal
  EXPECT_EQ(fileNames(dir.path()), kThreeNetworks);
  const std::regex summary(
      "(Network_data\\.000[123]\\.txt: [0-9]+ fractures, [0-9]+ pieces, segment density "
      "0\\.3[0-9]*\n){3}"
      "Largest piece count: ([0-9]+) \\(Network_data\\.000[123]\\.txt\\); set meet_fracs \\(line "
      "13\\) "
      "to \\2 to read every piece\n"
      "meet_fracs is 10 in Data_and_OutputOptions.txt: fracflow reads only the first 10 pieces of "
      "a "
      "file\n");
  EXPECT_TRUE(std::regex_match(run.out, summary)) << run.out;
}

TEST(Fracgen, SameSeedSameFilesWhateverTheNumberOfRealizations) {
  TempDir a, b, c;
  writeFile(a.path() / "Data_and_OutputOptions.txt", parameterFileText());
  writeFile(b.path() / "Data_and_OutputOptions.txt", parameterFileText({{"numberruns", "2"}}));
  writeFile(c.path() / "Data_and_OutputOptions.txt", parameterFileText());
  ASSERT_EQ(runFracgen(a.path(), {"--seed", "99"}).exitStatus, 0);
  ASSERT_EQ(runFracgen(b.path(), {"--seed=99"}).exitStatus, 0);
  ASSERT_EQ(runFracgen(c.path()).exitStatus, 0);
  for (const char* name : {"Network_data.0001.txt", "Network_data.0002.txt"}) {
    SCOPED_TRACE(name);
    const std::string text = readFile(a.path() / name);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(readFile(b.path() / name), text);
    EXPECT_NE(readFile(c.path() / name), text);  // the default seed is another one
  }
  EXPECT_NE(readFile(a.path() / "Network_data.0001.txt"),
            readFile(a.path() / "Network_data.0002.txt"));
}

TEST(Fracgen, WritesIntoTheOutputFolderAndReadsANamedParameterFile) {
  TempDir dir;
  writeFile(dir.path() / "study.txt", parameterFileText({{"numberruns", "1"}}));
  const RunResult run = runFracgen(dir.path(), {"--output-dir", "nets/one", "study.txt"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(fileNames(dir.path() / "nets" / "one"),
            std::vector<std::string>{"Network_data.0001.txt"});
  EXPECT_EQ(run.out.rfind("nets/one/Network_data.0001.txt: ", 0), 0u) << run.out;
}

TEST(Fracgen, ErrorsEndTheRunWithAMessageAndAStatus) {
  struct Case {
    const char* name;
    std::string parameterFile;  // empty: none
    std::vector<std::string> args;
    int status;
    std::string err;
  };
  const Case cases[] = {
      {"unknown argument",
       parameterFileText(),
       {"--bogus"},
       2,
       "fracgen: unknown argument '--bogus' (see fracgen --help)\n"},
      {"no parameter file",
       "",
       {},
       2,
       "fracgen: Data_and_OutputOptions.txt: Could not open the data and output options file (No "
       "such file or directory)\n"},
      {"malformed parameter file",
       parameterFileText({{"minFracL1", "x"}}),
       {},
       2,
       "fracgen: Data_and_OutputOptions.txt:17: minFracL1: expected a number, found 'x'\n"},
      {"a switch out of range",
       parameterFileText({{"dfncp", "3"}}),
       {},
       2,
       "fracgen: Data_and_OutputOptions.txt: One or more of the ouput options are more than 2, "
       "please "
       "correct\n"},
      {"probabilities that do not sum to 1",
       parameterFileText({{"prob2", "0.5"}}),
       {},
       2,
       "fracgen: Data_and_OutputOptions.txt:16: prob1 + prob2 + prob3: the set probabilities must "
       "sum "
       "to 1 (within 1e-6), found 1.5\n"},
      {"an output folder that is a file",
       parameterFileText(),
       {"--output-dir", "Data_and_OutputOptions.txt"},
       1,
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    if (!c.parameterFile.empty())
      writeFile(dir.path() / "Data_and_OutputOptions.txt", c.parameterFile);
    const RunResult run = runFracgen(dir.path(), c.args);
    EXPECT_EQ(run.exitStatus, c.status);
    if (!c.err.empty()) {
      EXPECT_EQ(run.err, c.err);
    } else {
      EXPECT_NE(run.err, "");
    }
    EXPECT_EQ(run.out, "");
    for (const std::string& name : fileNames(dir.path())) {
      EXPECT_EQ(name.rfind("Network_data.", 0), std::string::npos) << name;
    }
  }
}

// A folder on a file system too small for the networks: a 16 kB tmpfs when the test may mount
// one, else a folder where the file being written goes to /dev/full (a link at its temporary
// name). Unmounted when done.
class FullDisk {
 public:
  explicit FullDisk(const std::filesystem::path& folder) : folder_(folder) {
    std::filesystem::create_directories(folder);
    const std::string mount =
        "mount -t tmpfs -o size=16k fracflow-full '" + folder.string() + "' 2>/dev/null";
    mounted_ = std::system(mount.c_str()) == 0;
    if (!mounted_) {
      std::filesystem::create_symlink("/dev/full", folder / ".Network_data.0001.txt.part");
    }
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;
  ~FullDisk() {
    if (!mounted_) return;
    [[maybe_unused]] const int status = std::system(("umount '" + folder_.string() + "'").c_str());
  }

 private:
  std::filesystem::path folder_;
  bool mounted_ = false;
};

TEST(Fracgen, AFullDiskLeavesNoTruncatedNetworkFileUnderItsName) {
  TempDir dir;
  writeFile(dir.path() / "Data_and_OutputOptions.txt", parameterFileText({{"fracDen", "0.5"}}));
  const RunResult whole = runFracgen(dir.path(), {"--output-dir", "roomy"});
  ASSERT_EQ(whole.exitStatus, 0) << whole.err;
  ASSERT_GT(readFile(dir.path() / "roomy" / "Network_data.0001.txt").size(), 16u << 10);

  const FullDisk full(dir.path() / "full");
  const RunResult run = runFracgen(dir.path(), {"--output-dir", "full"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err.rfind("fracgen: full/Network_data.0001.txt: ", 0), 0u) << run.err;
  // Nothing at all under a network's name, and no temporary file left behind.
  for (const std::string& name : fileNames(dir.path() / "full")) {
    EXPECT_EQ(name.find("Network_data."), std::string::npos) << name;
  }
}

TEST(Fracgen, HelpAndNoRealizations) {
  TempDir dir;
  const RunResult help = runFracgen(dir.path(), {"--help"});
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_EQ(help.out.rfind("usage: fracgen [--seed N] [--output-dir DIR] [PARAMETER_FILE]\n", 0),
            0u);
  writeFile(dir.path() / "Data_and_OutputOptions.txt", parameterFileText({{"numberruns", "0"}}));
  const RunResult none = runFracgen(dir.path());
  EXPECT_EQ(none.exitStatus, 0);
  EXPECT_EQ(none.out, "numberruns is 0: there is no network to write\n");
}

TEST(Fracgen, AStudyWithTheAdvisedMeetFracsRunsWithoutANotePerFile) {
  TempDir dir;
  writeFile(dir.path() / "Data_and_OutputOptions.txt", parameterFileText({{"fracDen", "0.3"}}));
  const RunResult made = runFracgen(dir.path());
  ASSERT_EQ(made.exitStatus, 0) << made.err;
  std::smatch advice;
  ASSERT_TRUE(
      std::regex_search(made.out, advice, std::regex("set meet_fracs \\(line 13\\) to ([0-9]+)")))
      << made.out;
  // The files hold different piece counts; each is read whole, none gets a note.
  writeFile(dir.path() / "Data_and_OutputOptions.txt",
            parameterFileText({{"fracDen", "0.3"}, {"meet_fracs", advice[1].str()}}));
  const RunResult run = runExecutable(FRACFLOW_EXE, dir.path());
  EXPECT_EQ(run.err.find("Network_data"), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("Total Nodes"), std::string::npos);
}

TEST(Fracgen, RegeneratesTheBundledExample) {
  const std::filesystem::path example =
      std::filesystem::path(FRACFLOW_TEST_DATA) / ".." / ".." / "examples" / "quickstart";
  TempDir dir;
  std::filesystem::copy_file(example / "Data_and_OutputOptions.txt",
                             dir.path() / "Data_and_OutputOptions.txt");
  const RunResult run = runFracgen(dir.path());
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  for (const char* name :
       {"Network_data.0001.txt", "Network_data.0002.txt", "Network_data.0003.txt"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(readFile(dir.path() / name), readFile(example / name));
  }
  // Its meet_fracs reads every piece of the largest file.
  EXPECT_NE(run.out.find(
                "meet_fracs is 1062 in Data_and_OutputOptions.txt: fracflow reads every piece\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("Largest piece count: 1062 "), std::string::npos) << run.out;
}

}  // namespace
}  // namespace fracflow::testing
