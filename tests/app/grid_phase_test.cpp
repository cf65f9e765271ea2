// The grid phase of a realization on hand-made segments: its console lines and files.
#include "app/grid_phase.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "grid/flow_files.hpp"
#include "options/parameter_file.hpp"
#include "support/files.hpp"
#include "support/run_fracflow.hpp"
#include "support/staged_case.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::app {
namespace {
namespace fs = std::filesystem;
using fracflow::testing::readFile;

RunOptions optionsOf(const std::string& caseName) {
  std::optional<RunOptions> options = options::readParameterFile(
      (fracflow::testing::caseFolder(caseName) / "input" / options::kParameterFileName).string());
  EXPECT_TRUE(options.has_value());
  options::deriveCellSizes(*options);
  return *options;
}

// Runs the grid flow of realization `number` into a fresh folder; after a converged solve the
// grid flow file is written as the realization does.
class GridPhase : public ::testing::Test {
 protected:
  std::optional<CellTable> run(const RunOptions& options, int number, SegmentTable segments) {
    io::TextStream console(out_);
    const RealizationSetup setup{number, console, diagnostics_, {}, dir_.path()};
    Realization realization(setup);
    GridFlow flow = runGridFlow(options, realization, std::move(segments));
    console.flush();
    if (!flow.solve.converged) return std::nullopt;
    grid::writeFlowFile(realization.outputPath(io::RealizationFile::GridFlow), flow.faceFlows,
                        flow.cells);
    return std::move(flow.cells);
  }
  std::string console() const { return out_.str(); }
  std::vector<std::string> files() const { return fracflow::testing::fileNames(dir_.path()); }

  fracflow::testing::TempDir dir_;
  std::ostringstream out_;
  std::ostringstream diagnostics_;
};

// The 3 x 3 example scaled by 10: one diagonal through grid nodes (realization 1), then four
// segments meeting at the centre (realization 2), as the network phases leave them.
TEST_F(GridPhase, DiagonalExampleWritesTheExpectedFiles) {
  const RunOptions options = optionsOf("edge_diag45");
  ASSERT_TRUE(run(options, 1, {{1.0, 0.0, 0.0, 20.0, 20.0}}).has_value());
  ASSERT_TRUE(run(options, 2,
                  {{1.0, 0.0, 0.0, 15.0, 15.0},
                   {1.0, 15.0, 15.0, 20.0, 20.0},
                   {0.8, 0.0, 30.0, 15.0, 15.0},
                   {0.8, 15.0, 15.0, 30.0, 0.0}})
                  .has_value());
  EXPECT_EQ(console(),
            "Boundary Cell = 6   Internal Cells = 1   Total Cells = 7\n"
            "BiCg converged after 1 iterations\n"
            "Boundary Cell = 8   Internal Cells = 1   Total Cells = 9\n"
            "BiCg converged after 1 iterations\n");
  const fs::path expected = fracflow::testing::caseFolder("edge_diag45") / "expected";
  for (const char* name : {"ag.", "bg.", "grdhead.", "Grd_flow."}) {
    for (const char* number : {"0001.txt", "0002.txt"}) {
      const std::string file = std::string(name) + number;
      SCOPED_TRACE(file);
      EXPECT_EQ(readFile(dir_.path() / file), readFile(expected / file));
    }
  }
}

TEST_F(GridPhase, SwitchesOffTheHeadFileAndTheDumps) {
  RunOptions options = optionsOf("edge_diag45");
  options.grdfl = 2;
  options.grddt = 2;
  ASSERT_TRUE(run(options, 3, {{1.0, 0.0, 0.0, 20.0, 20.0}}).has_value());
  EXPECT_EQ(files(), std::vector<std::string>{"Grd_flow.0003.txt"});
}

TEST_F(GridPhase, NonConvergenceWritesNoConGrdAndNothingElse) {
  RunOptions options = optionsOf("edge_diag45");
  options.cellx = options.celly = 6;
  options::deriveCellSizes(options);
  options.maxit = 1;
  options.grdfl = 2;
  EXPECT_FALSE(
      run(options, 2, {{1.0, 0.0, 0.0, 30.0, 30.0}, {1.0, 0.0, 10.0, 30.0, 17.0}}).has_value());
  EXPECT_NE(console().find("BiCg completed 1 iterations with a relative residual of "),
            std::string::npos);
  EXPECT_EQ(files(), std::vector<std::string>{"NoConGrd.0002.txt"});
  EXPECT_EQ(readFile(dir_.path() / "NoConGrd.0002.txt"),
            "2\nRealization number 2 did not converge for Grid flow solution\n");
}

// With a tolerance of 0 nothing converges: after 1000 iterations the completed line comes
// before the progress line of the same iteration.
TEST_F(GridPhase, LimitOfAThousandIterationsReportsCompletedThenProgress) {
  RunOptions options = optionsOf("edge_diag45");
  options.maxit = 1000;
  options.tol = 0.0;
  options.grdfl = 2;
  EXPECT_FALSE(run(options, 1, {{1.0, 0.0, 0.0, 20.0, 20.0}}).has_value());
  const std::string text = console();
  const auto completed = text.find("BiCg completed 1000 iterations with a relative residual of ");
  const auto progress = text.find("BiCg Iteration = 1000       RR = ");
  ASSERT_NE(completed, std::string::npos) << text;
  ASSERT_NE(progress, std::string::npos) << text;
  EXPECT_LT(completed, progress);
  EXPECT_TRUE(fs::exists(dir_.path() / "NoConGrd.0001.txt"));
}

// Without internal cells the system is empty and its residual zero from the start: solved
// at once, and the grid flow file is written.
TEST_F(GridPhase, GridWithoutInternalCellsIsSolvedAtOnce) {
  RunOptions options = optionsOf("edge_diag45");
  options.cellx = 2;
  options::deriveCellSizes(options);
  ASSERT_TRUE(run(options, 1, {{1.0, 0.0, 0.0, 20.0, 20.0}}).has_value());
  EXPECT_EQ(console(),
            "Boundary Cell = 4   Internal Cells = 0   Total Cells = 4\n"
            "BiCg converged after 0 iterations\n");
  EXPECT_NE(readFile(dir_.path() / "Grd_flow.0001.txt").find("Internal Cells = 0\n"),
            std::string::npos);
  EXPECT_EQ(readFile(dir_.path() / "ag.0001.txt"), "");
}

// The executable: a grid solve that does not converge ends the whole run with status 1.
TEST(GridPhaseRun, NonConvergenceEndsTheRun) {
  fracflow::testing::TempDir dir;
  fracflow::testing::writeFile(
      dir.path() / "Data_and_OutputOptions.txt",
      fracflow::testing::parameterFileText(
          {{"ntwrk", "2"}, {"dfncp", "2"}, {"grdtr", "2"}, {"maxit", "1"}}));
  std::string fractures;
  for (int n = 0; n < 10; ++n) {
    const std::string a = std::to_string(5 + 9 * n);
    const std::string b = std::to_string(95 - 7 * n);
    fractures += a + ".0 2.0 " + b + ".0 98.0 1.0\n";
  }
  for (const char* name : {"Network_data.0001.txt", "Network_data.0002.txt"}) {
    fracflow::testing::writeFile(dir.path() / name, fractures);
  }
  const fracflow::testing::RunResult run = fracflow::testing::runFracflow(dir.path());
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_NE(run.out.find("BiCg completed 1 iterations with a relative residual of "),
            std::string::npos);
  EXPECT_EQ(run.out.find("NUMBER = 2"), std::string::npos);
  EXPECT_EQ(readFile(dir.path() / "NoConGrd.0001.txt"),
            "1\nRealization number 1 did not converge for Grid flow solution\n");
  EXPECT_FALSE(fs::exists(dir.path() / "Grd_flow.0001.txt"));
  EXPECT_FALSE(fs::exists(dir.path() / "grdhead.0001.txt"));
}

}  // namespace
}  // namespace fracflow::app
