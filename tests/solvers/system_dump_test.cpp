#include "solvers/system_dump.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "io/error.hpp"
#include "io/machine_resources.hpp"
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

// Entries of every text width: negative, zero and negative zero, tiny and huge exponents, not
// a number and the infinities.
CsrMatrix mixedMatrix(int n, std::mt19937& rng) {
  const double values[] = {
      -0.015, 0.0,  -0.0, 1e-300,       -2.5e+250,
      123.0,  4e-7, 1.0,  std::nan(""), -std::numeric_limits<double>::infinity()};
  std::uniform_int_distribution<int> pick(0, 9);
  std::uniform_int_distribution<int> column(0, n - 1);
  CsrBuilder builder(n);
  for (int i = 0; i < n; ++i) {
    builder.beginRow();
    for (int k = 0; k < 3; ++k) builder.set(column(rng), values[pick(rng)]);
    builder.endRow();
  }
  return builder.finish();
}

TEST_F(SystemDump, SizesAreExactlyTheBytesWritten) {
  std::mt19937 rng(5);
  for (const int n : {1, 7, 40}) {
    SCOPED_TRACE(n);
    const CsrMatrix A = mixedMatrix(n, rng);
    writeMatrixDump(path("a.0001.txt"), A);
    EXPECT_EQ(matrixDumpBytes(A), contents(path("a.0001.txt")).size());
    std::vector<double> b(static_cast<std::size_t>(n));
    for (std::size_t k = 0; k < b.size(); ++k) b[k] = A.value[k % A.value.size()];
    writeVectorDump(path("b.0001.txt"), b);
    EXPECT_EQ(vectorDumpBytes(b), contents(path("b.0001.txt")).size());
  }
  EXPECT_EQ(matrixDumpBytes(CsrMatrix{}), 0u);
}

// The free space is answered by the test; the messages name the file, the bytes and the switch.
TEST_F(SystemDump, DumpsThatWouldNotFitAreRefusedBeforeAnythingIsWritten) {
  std::mt19937 rng(6);
  const CsrMatrix A = mixedMatrix(20, rng);
  const std::vector<double> b(20, -1.5);
  const std::uint64_t matrixBytes = matrixDumpBytes(A);
  const std::uint64_t rhsBytes = vectorDumpBytes(b);
  ASSERT_EQ(rhsBytes, 20u * 15u);
  struct Case {
    const char* what;
    std::uint64_t free;
    std::string message;  // empty: written
  };
  const std::string a = path("ag.0001.txt");
  const std::string bg = path("bg.0001.txt");
  const Case cases[] = {
      {"the matrix does not fit", matrixBytes - 1,
       a + ": the dense flow-system dump needs " + io::formatBytes(matrixBytes) + " (" +
           std::to_string(matrixBytes) + " bytes) and the file system has " +
           io::formatBytes(matrixBytes - 1) +
           " free: nothing written; set grdfl (line 61 of the parameter file) to 2 to leave the "
           "flow-system dumps out"},
      {"the right-hand side does not fit after it", matrixBytes + rhsBytes - 1,
       bg + ": the flow-system dumps " + a + " and " + bg + " need " +
           io::formatBytes(matrixBytes + rhsBytes) + " (" + std::to_string(matrixBytes + rhsBytes) +
           " bytes) and the file system has " + io::formatBytes(matrixBytes + rhsBytes - 1) +
           " free: nothing written; set grdfl (line 61 of the parameter file) to 2 to leave the "
           "flow-system dumps out"},
      {"both fit exactly", matrixBytes + rhsBytes, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(a);
    std::filesystem::remove(bg);
    std::vector<std::string> notes;
    std::string asked;
    const DumpSpace space{"grdfl", 61, [&](const std::string& note) { notes.push_back(note); },
                          [&](const std::string& file) -> std::optional<std::uint64_t> {
                            asked = file;
                            return c.free;
                          }};
    if (c.message.empty()) {
      writeSystemDumps(a, A, bg, b, space);
      EXPECT_EQ(contents(a).size(), matrixBytes);
      EXPECT_EQ(contents(bg).size(), rhsBytes);
    } else {
      try {
        writeSystemDumps(a, A, bg, b, space);
        FAIL() << "no error";
      } catch (const Error& error) {
        EXPECT_EQ(error.kind(), ErrorKind::Output);
        EXPECT_EQ(error.what(), c.message);
      }
      EXPECT_FALSE(std::filesystem::exists(a));
      EXPECT_FALSE(std::filesystem::exists(bg));
    }
    EXPECT_EQ(asked, a);
    EXPECT_TRUE(notes.empty());
  }
}

TEST_F(SystemDump, OlderDumpsOfTheSameNameCountAsFreeAndLargeDumpsAreNoted) {
  std::mt19937 rng(8);
  const CsrMatrix A = mixedMatrix(30, rng);
  const std::vector<double> b(30, 2.0);
  const std::string a = path("a.0002.txt");
  const std::string bFile = path("b.0002.txt");
  writeMatrixDump(a, A);  // an earlier run's files, replaced by this one
  writeVectorDump(bFile, b);
  std::vector<std::string> notes;
  DumpSpace space{"dfnfl", 56, [&](const std::string& note) { notes.push_back(note); },
                  [](const std::string&) -> std::optional<std::uint64_t> { return 0; }};
  space.noteAbove = 1000;
  writeSystemDumps(a, A, bFile, b, space);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0], a + ": writing a dense flow-system dump of " +
                          io::formatBytes(matrixDumpBytes(A)) +
                          "; set dfnfl (line 56 of the parameter file) to 2 to leave the "
                          "flow-system dumps out");
  // Unknown free space: the dumps are written.
  space.freeSpace = [](const std::string&) { return std::optional<std::uint64_t>(); };
  space.noteAbove = 1'000'000'000;
  std::filesystem::remove(a);
  writeSystemDumps(a, A, bFile, b, space);
  EXPECT_EQ(contents(a).size(), matrixDumpBytes(A));
}

TEST(MachineResources, AnswersForTheWorkingFolderAndWritesSizesPlainly) {
  const std::optional<std::uint64_t> free = io::freeSpaceFor("a.0001.txt");
  ASSERT_TRUE(free.has_value());
  EXPECT_GT(*free, 0u);
  EXPECT_FALSE(io::freeSpaceFor("/no/such/folder/a.0001.txt").has_value());
  ASSERT_TRUE(io::physicalMemoryBytes().has_value());
  EXPECT_GT(*io::physicalMemoryBytes(), 1u << 20);
  const std::pair<std::uint64_t, const char*> sizes[] = {
      {0, "0 bytes"},
      {1, "1 byte"},
      {999, "999 bytes"},
      {1000, "1.0 kB"},
      {31'234'567'890, "31.2 GB"},

      {2'500'000'000'000, "2.5 TB"},
  };
  for (const auto& [bytes, text] : sizes) EXPECT_EQ(io::formatBytes(bytes), text) << bytes;
}

}  // namespace
}  // namespace fracflow::solvers
