// Inputs that are not regular files, as a user meets them: a FIFO, a device, a directory in
// place of the parameter file or a network data file. None is waited on or read forever.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "support/files.hpp"
#include "support/run_fracflow.hpp"
#include "support/staged_case.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::testing {
namespace {
namespace fs = std::filesystem;

// A run that would wait on a FIFO is cut after a minute instead of holding the test suite.
RunResult runBounded(const char* executable, const fs::path& folder,
                     std::vector<std::string> args = {}) {
  args.insert(args.begin(), {"60", executable});
  return runExecutable("/usr/bin/timeout", folder, args);
}

enum class Kind { Directory, Fifo, Device, Missing };

void makeInput(const fs::path& path, Kind kind) {
  switch (kind) {
    case Kind::Directory:
      fs::create_directory(path);
      break;
    case Kind::Fifo:
      ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
      break;
    case Kind::Device:
      fs::create_symlink("/dev/zero", path);  // read forever, were it read
      break;
    case Kind::Missing:
      break;
  }
}

struct Case {
  const char* name;
  Kind kind;
  const char* reason;
};
const Case kCases[] = {
    {"directory", Kind::Directory, "is a directory, not a file"},
    {"FIFO", Kind::Fifo, "is a FIFO (named pipe), not a regular file"},
    {"device", Kind::Device, "is a device, not a regular file"},
    {"missing", Kind::Missing, "No such file or directory"},
};

TEST(InputFiles, AParameterFileThatIsNotARegularFileEndsTheRunWithStatusTwo) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    makeInput(dir.path() / "Data_and_OutputOptions.txt", c.kind);
    const RunResult run = runBounded(FRACFLOW_EXE, dir.path());
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.out.find("Could not open the data and output options file\n"), std::string::npos);
    EXPECT_EQ(run.err, std::string("fracflow: Data_and_OutputOptions.txt: ") + c.reason + "\n");

    const RunResult generator = runBounded(FRACGEN_EXE, dir.path());
    EXPECT_EQ(generator.exitStatus, 2);
    EXPECT_EQ(generator.err, std::string("fracgen: Data_and_OutputOptions.txt: Could not open the "
                                         "data and output options file (") +
                                 c.reason + ")\n");
  }
}

TEST(InputFiles, ANetworkFileThatIsNotARegularFileSkipsItsRealization) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    writeFile(dir.path() / "Data_and_OutputOptions.txt",
              parameterFileText({{"numberruns", "2"}, {"meet_fracs", "1"}}));
    makeInput(dir.path() / "Network_data.0001.txt", c.kind);
    writeFile(dir.path() / "Network_data.0002.txt", "0 50 100 50 1\n");
    const RunResult run = runBounded(FRACFLOW_EXE, dir.path());
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.err, std::string("fracflow: Network_data.0001.txt: ") + c.reason +
                           "; realization skipped\n");
    // Realization 1 prints the message of a missing file; realization 2 runs to its end.
    EXPECT_NE(run.out.find("NUMBER = 1\n\n" + std::string(65, '/') +
                           "\n\nCould not open the Network Data file\n"),
              std::string::npos)
        << run.out;
    EXPECT_FALSE(fs::exists(dir.path() / "DFN_flow.0001.txt"));
    EXPECT_TRUE(fs::exists(dir.path() / "Grd_bcrv.0002.txt"));
  }
}

}  // namespace
}  // namespace fracflow::testing
