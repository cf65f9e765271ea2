#include "solvers/system_dump.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "io/error.hpp"
#include "solvers/csr_builder.hpp"

namespace fracflow::solvers {
namespace {

class SystemDump : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() /
        ("fracflow_dump_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string path(const char* name) const { return (folder_ / name).string(); }
  static std::string contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  std::filesystem::path folder_;
};

// Every row dense, the entries that are not stored as zeros, ",  " after each entry (also the
// last), three-digit exponents.
TEST_F(SystemDump, MatrixRowsAreWrittenDensely) {
  CsrBuilder builder(3);
  builder.beginRow();
  builder.set(2, 0.015);
  builder.subtract(0, 0.015);
  builder.endRow();
  builder.beginRow();  // only the (zero) diagonal
  builder.endRow();
  builder.beginRow();
  builder.set(0, -1.5e-12);
  builder.set(1, 12345.678);
  builder.endRow();
  writeMatrixDump(path("a.0001.txt"), builder.finish());
  EXPECT_EQ(contents(path("a.0001.txt")),
            "-1.500000e-002,  0.000000e+000,  1.500000e-002,  \n"
            "0.000000e+000,  0.000000e+000,  0.000000e+000,  \n"
            "-1.500000e-012,  1.234568e+004,  0.000000e+000,  \n");
}

TEST_F(SystemDump, VectorOneEntryPerLine) {
  writeVectorDump(path("b.0001.txt"), std::vector<double>{-0.02, 0.0, 3.0e10});
  EXPECT_EQ(contents(path("b.0001.txt")), "-2.000000e-002\n0.000000e+000\n3.000000e+010\n");
}

TEST_F(SystemDump, EmptySystemGivesEmptyFiles) {
  writeMatrixDump(path("ag.0001.txt"), CsrMatrix{});
  writeVectorDump(path("bg.0001.txt"), std::vector<double>{});
  EXPECT_EQ(contents(path("ag.0001.txt")), "");
  EXPECT_EQ(contents(path("bg.0001.txt")), "");
}

TEST_F(SystemDump, UnwritableFileRaisesAnOutputError) {
  const std::string missing = path("no_such_folder/a.0001.txt");
  try {
    writeMatrixDump(missing, CsrMatrix{});
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(error.kind(), ErrorKind::Output);
    EXPECT_NE(std::string(error.what()).find(missing), std::string::npos);
  }
}

}  // namespace
}  // namespace fracflow::solvers
