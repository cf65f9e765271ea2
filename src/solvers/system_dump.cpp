// Dense text of a sparse matrix: the entries that are not stored are written as the zero they
// stand for, from one prepared text, so a large dump costs little more than its bytes.
#include "solvers/system_dump.hpp"

#include <filesystem>
#include <optional>
#include <system_error>

#include "io/error.hpp"
#include "io/number_format.hpp"
#include "io/output_file.hpp"

namespace fracflow::solvers {
namespace {

constexpr io::NumberFormat kDumpFormat = io::NumberFormat::scientific(6);
constexpr std::string_view kSeparator = ",  ";

std::uint64_t textBytes(double value) {
  std::string text;
  io::appendNumber(text, value, kDumpFormat);
  return text.size();
}

// The size of an older regular file of that name, which writing the dump replaces.
std::uint64_t replacedBytes(const std::string& fileName) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(fileName, error)) return 0;
  const std::uintmax_t size = std::filesystem::file_size(fileName, error);
  return error ? 0 : static_cast<std::uint64_t>(size);
}

std::string dumpSwitchHint(const DumpSpace& space) {
  return "set " + std::string(space.switchName) + " (line " + std::to_string(space.switchLine) +
         " of the parameter file) to 2 to leave the flow-system dumps out";
}

}  // namespace

void writeMatrixDump(const std::filesystem::path& path, const CsrMatrix& A) {
  io::OutputFile file(path, kDumpFormat);
  std::string zero;
  io::appendNumber(zero, 0.0, kDumpFormat);
  zero.append(kSeparator);

  std::string line;
  for (int i = 0; i < A.n; ++i) {
    line.clear();
    int nextColumn = 0;
    for (auto k = A.rowStart[static_cast<std::size_t>(i)];
         k < A.rowStart[static_cast<std::size_t>(i) + 1]; ++k) {
      for (; nextColumn < A.column[k]; ++nextColumn) line.append(zero);
      io::appendNumber(line, A.value[k], kDumpFormat);
      line.append(kSeparator);
      ++nextColumn;
    }
    for (; nextColumn < A.n; ++nextColumn) line.append(zero);
    line.push_back('\n');
    file.write(std::string_view(line));
  }
  file.close();
}

void writeVectorDump(const std::filesystem::path& path, std::span<const double> values) {
  io::OutputFile file(path, kDumpFormat);
  for (double value : values) file.line(value);
  file.close();
}

std::uint64_t matrixDumpBytes(const CsrMatrix& A) {
  const std::uint64_t zeroBytes = textBytes(0.0) + kSeparator.size();
  const auto n = static_cast<std::uint64_t>(A.n);
  std::uint64_t bytes = n;  // the line breaks
  std::uint64_t stored = 0;
  for (int i = 0; i < A.n; ++i) {
    for (auto k = A.rowStart[static_cast<std::size_t>(i)];
         k < A.rowStart[static_cast<std::size_t>(i) + 1]; ++k) {
      bytes += textBytes(A.value[k]) + kSeparator.size();
      ++stored;
    }
  }
  return bytes + (n * n - stored) * zeroBytes;
}

std::uint64_t vectorDumpBytes(std::span<const double> values) {
  std::uint64_t bytes = 0;
  for (const double value : values) bytes += textBytes(value) + 1;
  return bytes;
}

void writeSystemDumps(const std::string& matrixFile, const CsrMatrix& A, const std::string& rhsFile,
                      std::span<const double> b, const DumpSpace& space) {
  const std::uint64_t matrixBytes = matrixDumpBytes(A);
  const std::uint64_t rhsBytes = vectorDumpBytes(b);
  std::optional<std::uint64_t> free = space.freeSpace(matrixFile);
  if (free) {
    *free += replacedBytes(matrixFile) + replacedBytes(rhsFile);
    const bool matrixFits = matrixBytes <= *free;
    if (!matrixFits || matrixBytes + rhsBytes > *free) {
      const std::uint64_t needed = matrixFits ? matrixBytes + rhsBytes : matrixBytes;
      const std::string what = matrixFits ? rhsFile + ": the flow-system dumps " + matrixFile +
                                                " and " + rhsFile + " need "
                                          : matrixFile + ": the dense flow-system dump needs ";
      throw Error(ErrorKind::Output,
                  what + io::formatBytes(needed) + " (" + std::to_string(needed) +
                      " bytes) and the file system has " + io::formatBytes(*free) +
                      " free: nothing written; " + dumpSwitchHint(space));
    }
  }
  if (matrixBytes > space.noteAbove && space.note) {
    space.note(matrixFile + ": writing a dense flow-system dump of " +
               io::formatBytes(matrixBytes) + "; " + dumpSwitchHint(space));
  }
  writeMatrixDump(matrixFile, A);
  if (rhsBytes > space.noteAbove && space.note) {
    space.note(rhsFile + ": writing a flow-system dump of " + io::formatBytes(rhsBytes));
  }
  writeVectorDump(rhsFile, b);
}

}  // namespace fracflow::solvers
