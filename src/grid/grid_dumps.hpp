// The dumps of the grid flow system: every entry of the matrix, zeros included, one row per
// line (ag.), and the right-hand side, one entry per line (bg.).
#pragma once

#include <span>
#include <string>

#include "solvers/csr_matrix.hpp"

namespace fracflow::grid {

void writeMatrixDump(const solvers::CsrMatrix& matrix, const std::string& fileName);
void writeRhsDump(std::span<const double> rhs, const std::string& fileName);

}  // namespace fracflow::grid
