// The dumps of a flow system: the matrix written densely, one row per line, every entry in
// scientific notation with six digits and followed by ",  "; the right-hand side one entry per
// line in the same notation. Used for the a./b. (network) and ag./bg. (grid) files. A dense
// dump grows with the square of the unknowns, so its exact size is checked against the free
// space before anything is written.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "io/machine_resources.hpp"
#include "solvers/csr_matrix.hpp"

namespace fracflow::solvers {

// Both raise an Output error when the file cannot be created or written.
void writeMatrixDump(const std::filesystem::path& path, const CsrMatrix& A);
void writeVectorDump(const std::filesystem::path& path, std::span<const double> values);

// The exact sizes in bytes of the two files above.
std::uint64_t matrixDumpBytes(const CsrMatrix& A);
std::uint64_t vectorDumpBytes(std::span<const double> values);

// What writeSystemDumps needs besides the system.
struct DumpSpace {
  std::string_view switchName;  // the switch that asks for the dumps ("dfnfl", "grdfl")
  int switchLine = 0;           // its line in the parameter file
  std::function<void(const std::string&)> note;  // a note for the user (standard error)
  io::FreeSpaceQuery freeSpace = io::freeSpaceFor;
  std::uint64_t noteAbove = 1'000'000'000;  // dumps larger than this are noted
};

// Writes the matrix dump and then the right-hand-side dump. Before either is written, their
// exact sizes are compared with the free space of the file system (counting the older files
// of those names, which they replace): when the two would not
// fit, an Output error names the first file that would not and the bytes it needs, and no
// file is written. A dump larger than noteAbove is noted first.
void writeSystemDumps(const std::string& matrixFile, const CsrMatrix& A, const std::string& rhsFile,
                      std::span<const double> b, const DumpSpace& space);

}  // namespace fracflow::solvers
