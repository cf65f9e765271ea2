// Test support: temporary folders, parameter files and runs of the fracflow executable.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace fracflow::testing {

// A fresh folder under the system's temporary directory, removed with the object.
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

struct RunResult {
  int exitStatus = -1;
  std::string out;
  std::string err;
};

// Runs the fracflow executable in folder with the given arguments.
RunResult runFracflow(const std::filesystem::path& folder,
                      const std::vector<std::string>& args = {});

// Runs any executable (a full path) in folder with the given arguments.
RunResult runExecutable(const std::string& executable, const std::filesystem::path& folder,
                        const std::vector<std::string>& args = {});

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& text);

// The text of a valid 66-line parameter file (a 100 × 100 domain, 10 × 10 cells, every switch
// on, no well, three realizations), with the values of the given lines (1-based) replaced.
// Each value line carries a label after its value.
std::string parameterFileText(const std::map<int, std::string>& values = {});

// The files of folder (names only), sorted.
std::vector<std::string> fileNames(const std::filesystem::path& folder);

}  // namespace fracflow::testing
