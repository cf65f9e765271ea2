#include "io/output_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "io/error.hpp"
#include "support/files.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::io {
namespace {

using fracflow::testing::readFile;
using fracflow::testing::TempDir;

TEST(OutputFile, WritesInItsNumberFormatAndReplacesOldFiles) {
  TempDir dir;
  const std::string name = (dir.path() / "f.txt").string();
  fracflow::testing::writeFile(name, "old content that is longer\n");
  OutputFile file(name, NumberFormat::scientific(6));
  file.line(15.0, ",  ", 3);
  file.setFormat(NumberFormat::fixed(1, 8));
  file.line(50.0, "     ", 3);
  file.close();
  EXPECT_EQ(readFile(name), "1.500000e+001,  3\n    50.0            3\n");
}

TEST(OutputFile, CannotCreateNamesTheFile) {
  TempDir dir;
  const auto blocked = dir.path() / "a.0001.txt";
  std::filesystem::create_directory(blocked);  // a folder where the file should go
  try {
    OutputFile file(blocked.string());
    FAIL() << "expected an error";
  } catch (const Error& error) {
    EXPECT_EQ(error.kind(), ErrorKind::Output);
    EXPECT_NE(std::string(error.what()).find("a.0001.txt"), std::string::npos);
  }
}

TEST(OutputFile, WriteFailureIsReportedOnClose) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  OutputFile file("/dev/full");
  file.line("some text");
  EXPECT_THROW(file.close(), Error);
}

}  // namespace
}  // namespace fracflow::io
