// Test support implementation.
#include "support/run_fracflow.hpp"

#include <sys/wait.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>

namespace fracflow::testing {
namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device device;
  const fs::path base = fs::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate =
        base / ("fracflow-test-" + std::to_string(device()) + "-" + std::to_string(counter++));
    if (fs::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string readFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

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

std::string parameterFileText(const std::map<int, std::string>& values) {
  static const char* const kLines[66][2] = {
      {"100.0", "domainL"},
      {"100.0", "domainW"},
      {"10", "cellx"},
      {"10", "celly"},
      {"1", "scellx"},
      {"2", "ecellx"},
      {"1", "scelly"},
      {"11", "ecelly"},
      {"100", "totalparticles"},
      {"10", "bcsize"},
      {"1000", "bcstep"},
      {"3", "numberruns"},
      {"10", "meet_fracs"},
      {"0.1", "fracDen"},
      {"", "--- fracture set 1 ---"},
      {"1.0", "prob1"},
      {"10.0", "minFracL1"},
      {"1.5", "alpha1"},
      {"0.0", "kappa1"},
      {"0.0", "thetaMean1"},
      {"0.0", "perMean1"},
      {"0.3", "perDev1"},
      {"", "--- fracture set 2 ---"},
      {"0.0", "prob2"},
      {"10.0", "minFracL2"},
      {"1.5", "alpha2"},
      {"0.0", "kappa2"},
      {"0.0", "thetaMean2"},
      {"0.0", "perMean2"},
      {"0.3", "perDev2"},
      {"", "--- fracture set 3 ---"},
      {"0.0", "prob3"},
      {"10.0", "minFracL3"},
      {"1.5", "alpha3"},
      {"0.0", "kappa3"},
      {"0.0", "thetaMean3"},
      {"0.0", "perMean3"},
      {"0.3", "perDev3"},
      {"", "--- face heads ---"},
      {"100.0", "tf1"},
      {"0.0", "tf2"},
      {"0.0", "rf1"},
      {"0.0", "rf2"},
      {"100.0", "bf1"},
      {"0.0", "bf2"},
      {"100.0", "lf1"},
      {"100.0", "lf2"},
      {"", "--- well and switches ---"},
      {"2", "sink"},
      {"50.0", "sinkLocX"},
      {"50.0", "sinkLocY"},
      {"1.0", "sinkRad"},
      {"0.0", "sinkFlux"},
      {"1", "ntwrk"},
      {"1", "dfncp"},
      {"1", "dfnfl"},
      {"1", "bbone"},
      {"1", "dfndt"},
      {"1", "dfntr"},
      {"1", "grdcp"},
      {"1", "grdfl"},
      {"1", "grddt"},
      {"1", "grdtr"},
      {"", "--- solver ---"},
      {"1000", "maxit"},
      {"1e-9", "tol"},
  };
  std::ostringstream text;
  for (int line = 1; line <= 66; ++line) {
    const auto found = values.find(line);
    const std::string value = found != values.end() ? found->second : kLines[line - 1][0];
    const std::string label = kLines[line - 1][1];
    if (std::string(kLines[line - 1][0]).empty()) {
      text << (found != values.end() ? value : label) << '\n';
    } else {
      text << value << "   " << label << '\n';
    }
  }
  return text.str();
}

std::vector<std::string> fileNames(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace fracflow::testing
