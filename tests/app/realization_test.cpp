// One realization run in-process: it reads its network file from the input folder it is
// given, writes every file into the output folder it is given and its text into the streams it
// is given, so realizations can run side by side; the tables it keeps on request.
#include "app/realization.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "options/parameter_file.hpp"
#include "support/files.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::app {
namespace {
namespace fs = std::filesystem;
using fracflow::testing::fileNames;
using fracflow::testing::readFile;

const fs::path kCase = fs::path(FRACFLOW_TEST_DATA) / "rand_iso_sparse";

RunOptions caseOptions() {
  std::optional<RunOptions> options =
      options::readParameterFile((kCase / "input" / "Data_and_OutputOptions.txt").string());
  EXPECT_TRUE(options.has_value());
  options::deriveCellSizes(*options);
  return *options;
}

// The console text of realization `number` in the case's expected log: from its header to the
// next header or the end.
std::string expectedConsole(int number) {
  const std::string log = readFile(kCase / "expected" / "stdout.txt");
  const auto headerOf = [](int n) {
    const std::string slashes(65, '/');
    return "\n\n" + slashes + "\n\nSTARTING THE SIMULATIONS FOR MONTE-CARLO RELIAZATION NUMBER = " +
           std::to_string(n) + "\n";
  };
  const std::size_t begin = log.find(headerOf(number));
  const std::size_t end = log.find(headerOf(number + 1));
  return log.substr(begin, end == std::string::npos ? end : end - begin);
}

// The expected files of realization `number`, by name.
std::vector<std::string> expectedFiles(int number) {
  const std::string suffix =
      "." + std::string(number < 10 ? "000" : "00") + std::to_string(number) + ".";
  std::vector<std::string> names;
  for (const std::string& name : fileNames(kCase / "expected")) {
    if (name.find(suffix) != std::string::npos) names.push_back(name);
  }
  return names;
}

struct Outcome {
  RealizationResult result;
  std::string console;
  std::string diagnostics;
};

Outcome runInto(const RunOptions& options, int number, const fs::path& input,
                const fs::path& output, bool keepTables = false) {
  Outcome outcome;
  std::ostringstream console;
  std::ostringstream diagnostics;
  {
    io::TextStream text(console);
    const RealizationSetup setup{number, text, diagnostics, input, output, nullptr, keepTables};
    outcome.result = runRealization(options, setup);
  }
  outcome.console = console.str();
  outcome.diagnostics = diagnostics.str();
  return outcome;
}

void expectSameFiles(const fs::path& folder, int number) {
  const std::vector<std::string> names = expectedFiles(number);
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(fileNames(folder), names);
  for (const std::string& name : names) {
    EXPECT_TRUE(readFile(folder / name) == readFile(kCase / "expected" / name)) << name;
  }
}

TEST(Realization, ReadsFromItsInputFolderAndWritesOnlyIntoItsOutputFolder) {
  const RunOptions options = caseOptions();
  const fracflow::testing::TempDir output;
  const Outcome outcome = runInto(options, 2, kCase / "input", output.path());
  EXPECT_EQ(outcome.result.end, RealizationEnd::Completed);
  EXPECT_EQ(outcome.console, expectedConsole(2));
  EXPECT_EQ(outcome.diagnostics, "");
  expectSameFiles(output.path(), 2);
  ASSERT_TRUE(outcome.result.minres.has_value());
  ASSERT_TRUE(outcome.result.bicg.has_value());
  EXPECT_TRUE(outcome.result.minres->converged);
  EXPECT_NE(outcome.console.find("MINRES converged after " +
                                 std::to_string(outcome.result.minres->iterations) + " steps\n"),
            std::string::npos);
  EXPECT_NE(outcome.console.find("BiCg converged after " +
                                 std::to_string(outcome.result.bicg->iterations) + " iterations\n"),
            std::string::npos);
  // Without keepTables nothing is held back.
  EXPECT_TRUE(outcome.result.tables.segments.empty());
  EXPECT_FALSE(outcome.result.tables.cells.has_value());
}

// Each realization owns its stream, its folders and its text: two at once give what one after
// the other gives.
TEST(Realization, TwoRealizationsSideBySideGiveTheirOwnOutputs) {
  const RunOptions options = caseOptions();
  const fracflow::testing::TempDir first;
  const fracflow::testing::TempDir second;
  Outcome one;
  Outcome two;
  std::thread other([&] { two = runInto(options, 2, kCase / "input", second.path()); });
  one = runInto(options, 1, kCase / "input", first.path());
  other.join();
  EXPECT_EQ(one.console, expectedConsole(1));
  EXPECT_EQ(two.console, expectedConsole(2));
  expectSameFiles(first.path(), 1);
  expectSameFiles(second.path(), 2);
}

TEST(Realization, KeepsItsTablesOnRequest) {
  RunOptions options = caseOptions();
  const fracflow::testing::TempDir output;
  const Outcome outcome = runInto(options, 1, kCase / "input", output.path(), true);
  const RealizationTables& tables = outcome.result.tables;
  EXPECT_NE(outcome.console.find(
                "Total number of segments = " + std::to_string(tables.segments.size()) + "\n"),
            std::string::npos);
  EXPECT_EQ(tables.nodes.totalNodes(), static_cast<int>(tables.nodes.nodes.size()));
  EXPECT_NE(outcome.console.find("Total Nodes = " + std::to_string(tables.nodes.totalNodes())),
            std::string::npos);
  EXPECT_TRUE(tables.nodeHeadsSolved);
  EXPECT_NE(outcome.console.find("Number of segments in backbone = " +
                                 std::to_string(tables.backboneSegments.size()) + "\n"),
            std::string::npos);
  for (std::size_t k = 1; k < tables.backboneSegments.size(); ++k) {
    EXPECT_LT(tables.backboneSegments[k - 1], tables.backboneSegments[k]);
  }
  EXPECT_LT(tables.backboneSegments.back(), static_cast<int>(tables.segments.size()));
  ASSERT_TRUE(tables.cells.has_value());
  EXPECT_NE(outcome.console.find("Total Cells = " + std::to_string(tables.cells->totalCells())),
            std::string::npos);
  ASSERT_TRUE(tables.networkParticles.has_value());
  ASSERT_TRUE(tables.gridParticles.has_value());
  EXPECT_EQ(tables.networkParticles->size(), static_cast<std::size_t>(options.totalparticles));
  EXPECT_EQ(tables.gridParticles->size(), static_cast<std::size_t>(options.totalparticles));
  // The stops are those of the last-location file: its first line is the first particle.
  const std::string lastLocations = readFile(output.path() / "Particles_last_location.0001.txt");
  std::istringstream firstLine(lastLocations.substr(0, lastLocations.find('\n')));
  double startX = 0, startY = 0, x = 0, y = 0, t = 0;
  firstLine >> startX >> startY >> x >> y >> t;
  EXPECT_NEAR(tables.networkParticles->front().x, x, 1e-5);
  EXPECT_NEAR(tables.networkParticles->front().y, y, 1e-5);
  EXPECT_NEAR(tables.networkParticles->front().t, t, 1e-5 * t);
  // The files are those of a run that keeps nothing.
  expectSameFiles(output.path(), 1);
}

TEST(Realization, MissingOrMalformedNetworkFileSkipsTheRealization) {
  const RunOptions options = caseOptions();
  const fracflow::testing::TempDir input;
  const fracflow::testing::TempDir output;
  const Outcome missing = runInto(options, 1, input.path(), output.path());
  EXPECT_EQ(missing.result.end, RealizationEnd::Skipped);
  EXPECT_NE(missing.console.find("Could not open the Network Data file\n"), std::string::npos);
  EXPECT_EQ(missing.diagnostics, "fracflow: " + (input.path() / "Network_data.0001.txt").string() +
                                     ": No such file or directory; realization skipped\n");

  fracflow::testing::writeFile(input.path() / "Network_data.0001.txt", "1.0 2.0 x\n");
  const Outcome malformed = runInto(options, 1, input.path(), output.path());
  EXPECT_EQ(malformed.result.end, RealizationEnd::Skipped);
  EXPECT_EQ(malformed.console.find("Number of Fractures"), std::string::npos);
  EXPECT_EQ(malformed.diagnostics.rfind(
                "fracflow: " + (input.path() / "Network_data.0001.txt").string(), 0),
            0u)
      << malformed.diagnostics;
  EXPECT_NE(malformed.diagnostics.find("; realization skipped\n"), std::string::npos);
  EXPECT_TRUE(fileNames(output.path()).empty());
}

}  // namespace
}  // namespace fracflow::app
