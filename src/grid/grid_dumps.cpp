// Matrix and right-hand-side dumps in scientific notation with six digits.
#include "grid/grid_dumps.hpp"

#include "io/number_format.hpp"
#include "io/output_file.hpp"

namespace fracflow::grid {

void writeMatrixDump(const solvers::CsrMatrix& matrix, const std::string& fileName) {
  io::OutputFile file(fileName, io::NumberFormat::scientific(6));
  for (int i = 0; i < matrix.n; ++i) {
    std::size_t next = matrix.rowStart[static_cast<std::size_t>(i)];
    const std::size_t end = matrix.rowStart[static_cast<std::size_t>(i) + 1];
    for (int j = 0; j < matrix.n; ++j) {
      double value = 0.0;
      if (next < end && matrix.column[next] == j) value = matrix.value[next++];
      file.write(value, ",  ");
    }
    file.line();
  }
  file.close();
}

void writeRhsDump(std::span<const double> rhs, const std::string& fileName) {
  io::OutputFile file(fileName, io::NumberFormat::scientific(6));
  for (const double value : rhs) file.line(value);
  file.close();
}

}  // namespace fracflow::grid
