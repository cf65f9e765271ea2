// Runs of the fracflow and fracgen executables in a folder, with their console streams kept.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace fracflow::testing {

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

}  // namespace fracflow::testing
