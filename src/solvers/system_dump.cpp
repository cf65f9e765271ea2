// Dense text of a sparse matrix: the entries that are not stored are written as the zero they
// stand for, from one prepared text, so a large dump costs little more than its bytes.
#include "solvers/system_dump.hpp"

#include <string_view>

#include "io/number_format.hpp"
#include "io/output_file.hpp"

namespace fracflow::solvers {
namespace {

constexpr io::NumberFormat kDumpFormat = io::NumberFormat::scientific(6);
constexpr std::string_view kSeparator = ",  ";

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

}  // namespace fracflow::solvers
