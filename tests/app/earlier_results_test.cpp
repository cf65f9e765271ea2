#include "app/earlier_results.hpp"

#include <gtest/gtest.h>

#include "options/parameter_file.hpp"
#include "support/files.hpp"
#include "support/run_fracflow.hpp"
#include "support/staged_case.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::app {
namespace {

using testing::TempDir;
using testing::writeFile;

RunOptions optionsWith(const testing::ParameterValues& values) {
  return options::parseParameterFile(testing::parameterFileText(values), "P.txt");
}

TEST(EarlierResults, SaysWhichFilesThisRunWritesAgainAndWhichStay) {
  TempDir dir;
  for (const char* name :
       {"Fractures.0001.bln", "DFN_flow.0002.txt", "ag.0001.txt", "Grd_bcrv.0003.txt",
        "DFN_flow.0004.txt", "NoConGrd.0002.txt", "Particles_last_location.0001.txt",
        // Not result files: inputs, other names, a wrong extension or digit count.
        "Network_data.0001.txt", "Data_and_OutputOptions.txt", "notes.txt", "a.0001.bln",
        "DFN_flow.01.txt", "DFN_flow.000x.txt", "xa.0001.txt"}) {
    writeFile(dir.path() / name, "");
  }
  // Three realizations; grdfl and dfntr off.
  const std::optional<std::string> note = earlierResultsNote(
      optionsWith({{"numberruns", "3"}, {"dfntr", "2"}, {"grdfl", "2"}}), dir.path());
  ASSERT_TRUE(note.has_value());
  EXPECT_EQ(*note,
            "result files of an earlier run are in this folder\n"
            "  replaced when their realization writes them: 3 files (DFN_flow.0002.txt, "
            "Fractures.0001.bln, Grd_bcrv.0003.txt)\n"
            "  left as they are, not results of this run: 4 files (DFN_flow.0004.txt, "
            "NoConGrd.0002.txt, Particles_last_location.0001.txt, ag.0001.txt)");
}

TEST(EarlierResults, ListsAFewNamesOfALongList) {
  TempDir dir;
  for (int k = 1; k <= 9; ++k)
    writeFile(dir.path() / ("DFN_flow.000" + std::to_string(k) + ".txt"), "");
  const std::optional<std::string> note =
      earlierResultsNote(optionsWith({{"numberruns", "0"}}), dir.path());
  ASSERT_TRUE(note.has_value());
  EXPECT_EQ(*note,
            "result files of an earlier run are in this folder\n"
            "  left as they are, not results of this run: 9 files (DFN_flow.0001.txt, "
            "DFN_flow.0002.txt, DFN_flow.0003.txt, DFN_flow.0004.txt, DFN_flow.0005.txt, "
            "DFN_flow.0006.txt, ... DFN_flow.0009.txt)");
}

TEST(EarlierResults, NothingForAFolderWithoutResults) {
  TempDir dir;
  writeFile(dir.path() / "Network_data.0001.txt", "");
  EXPECT_FALSE(earlierResultsNote(optionsWith({}), dir.path()).has_value());
  EXPECT_FALSE(earlierResultsNote(optionsWith({}), dir.path() / "missing").has_value());
}

TEST(EarlierResults, ASecondRunInTheSameFolderNotesTheFirstRunsFilesOnly) {
  TempDir dir;
  writeFile(dir.path() / "Data_and_OutputOptions.txt",
            testing::parameterFileText({{"numberruns", "1"}, {"meet_fracs", "1"}}));
  writeFile(dir.path() / "Network_data.0001.txt", "0 50 100 50 1\n");
  const testing::RunResult first = testing::runFracflow(dir.path());
  ASSERT_EQ(first.exitStatus, 0) << first.err;
  EXPECT_EQ(first.err, "");
  writeFile(dir.path() / "DFN_flow.0007.txt", "");
  const testing::RunResult second = testing::runFracflow(dir.path());
  EXPECT_EQ(second.exitStatus, 0);
  EXPECT_EQ(second.out, first.out);
  EXPECT_EQ(second.err.rfind("fracflow: result files of an earlier run are in this folder\n"
                             "  replaced when their realization writes them: 15 files (",
                             0),
            0u)
      << second.err;
  EXPECT_NE(second.err.find("\n  left as they are, not results of this run: 1 file "
                            "(DFN_flow.0007.txt)\n"),
            std::string::npos)
      << second.err;
}

}  // namespace
}  // namespace fracflow::app
