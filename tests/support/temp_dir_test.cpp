#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/files.hpp"

namespace fracflow::testing {
namespace {
namespace fs = std::filesystem;

TEST(TempDir, FreshFolderOfItsOwnNamedAfterTheTestAndRemovedAfterwards) {
  fs::path first;
  {
    TempDir a;
    TempDir b;
    first = a.path();
    EXPECT_NE(a.path(), b.path());
    EXPECT_TRUE(fs::is_directory(a.path()));
    EXPECT_TRUE(fs::is_empty(a.path()));
    EXPECT_EQ(a.path().parent_path(), fs::temp_directory_path());
    EXPECT_NE(a.path().filename().string().find("TempDir.FreshFolderOfItsOwn"), std::string::npos);
    fs::create_directories(a.path() / "sub");
    writeFile(a.path() / "sub" / "file.txt", "text");
  }
  EXPECT_FALSE(fs::exists(first));
}

TEST(TempDir, KeptOnlyForAFailedTestWhenAsked) {
  EXPECT_TRUE(keepTestDir(true, "1"));
  EXPECT_FALSE(keepTestDir(false, "1"));
  EXPECT_FALSE(keepTestDir(true, nullptr));
  EXPECT_FALSE(keepTestDir(true, "0"));
  EXPECT_FALSE(keepTestDir(true, ""));
}

}  // namespace
}  // namespace fracflow::testing
