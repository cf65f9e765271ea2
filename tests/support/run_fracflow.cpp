// Runs of an executable through the shell, its streams captured in files of the folder.
#include "support/run_fracflow.hpp"

#include <sys/wait.h>

#include <cstdlib>

#include "support/files.hpp"

namespace fracflow::testing {
namespace fs = std::filesystem;
namespace {

std::string quote(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

}  // namespace

RunResult runFracflow(const fs::path& folder, const std::vector<std::string>& args) {
  return runExecutable(FRACFLOW_EXE, folder, args);
}

RunResult runExecutable(const std::string& executable, const fs::path& folder,
                        const std::vector<std::string>& args) {
  const fs::path outPath = folder / ".stdout.capture";
  const fs::path errPath = folder / ".stderr.capture";
  std::string command = "cd " + quote(folder.string()) + " && " + quote(executable);
  for (const std::string& arg : args) command += " " + quote(arg);
  command += " > " + quote(outPath.string()) + " 2> " + quote(errPath.string());
  const int raw = std::system(command.c_str());
  RunResult result;
  result.exitStatus = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = readFile(outPath);
  result.err = readFile(errPath);
  fs::remove(outPath);
  fs::remove(errPath);
  return result;
}

}  // namespace fracflow::testing
