// The dumps of a flow system: the matrix written densely, one row per line, every entry in
// scientific notation with six digits and followed by ",  "; the right-hand side one entry per
// line in the same notation. Used for the a./b. (network) and ag./bg. (grid) files.
#pragma once

#include <filesystem>
#include <span>

#include "solvers/csr_matrix.hpp"

namespace fracflow::solvers {

// Both raise an Output error when the file cannot be created or written.
void writeMatrixDump(const std::filesystem::path& path, const CsrMatrix& A);
void writeVectorDump(const std::filesystem::path& path, std::span<const double> values);

}  // namespace fracflow::solvers
