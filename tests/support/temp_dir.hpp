// A temporary folder for one test: its own fresh folder under the system's temporary
// directory (TMPDIR), named after the test and the process so that parallel test runs cannot
// collide. It is removed with the object, unless the test has failed and the environment sets
// FRACFLOW_KEEP_FAILED_TEST_DIRS=1: then it stays, and its path is printed on stderr.
#pragma once

#include <filesystem>

namespace fracflow::testing {

inline constexpr const char* kKeepFailedTestDirs = "FRACFLOW_KEEP_FAILED_TEST_DIRS";

class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Whether a folder is kept after its test: only a failed test's, and only when asked.
bool keepTestDir(bool testFailed, const char* keepSetting);

}  // namespace fracflow::testing
