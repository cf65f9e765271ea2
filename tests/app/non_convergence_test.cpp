#include <gtest/gtest.h>

#include <filesystem>

#include "app/realization.hpp"
#include "support/files.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::app {
namespace {

TEST(NonConvergenceFile, TwoLinesNamingTheRealizationAndMethod) {
  fracflow::testing::TempDir dir;
  writeNonConvergenceFile(dir.path() / "NoConDFN.0002.txt", 2, "DFN");
  writeNonConvergenceFile(dir.path() / "NoConGrd.0017.txt", 17, "Grid");
  EXPECT_EQ(fracflow::testing::readFile(dir.path() / "NoConDFN.0002.txt"),
            "2\nRealization number 2 did not converge for DFN flow solution\n");
  EXPECT_EQ(fracflow::testing::readFile(dir.path() / "NoConGrd.0017.txt"),
            "17\nRealization number 17 did not converge for Grid flow solution\n");
}

}  // namespace
}  // namespace fracflow::app
