// The network data file a generated realization is written to: one piece per line,
// "x1 y1 x2 y2 perm", every number in the shortest text that reads back to the same double.
#pragma once

#include <string>
#include <vector>

#include "generator/network_generation.hpp"

namespace fracflow::generator {

// The text of one piece's line, line break included.
void appendPieceLine(std::string& out, const Piece& piece);

// Writes the pieces to path (replacing an older file) under the temporary name
// ".NAME.part" in the same folder, renamed to path once complete, so that a full disk or an
// interrupted run never leaves a truncated file, whose last line could read as a valid
// fracture, under the real name. An Output error if that fails; the temporary file is then
// removed.
void writeNetworkFile(const std::string& path, const std::vector<Piece>& pieces);

// The temporary name of path while it is written.
std::string temporaryNetworkPath(const std::string& path);

}  // namespace fracflow::generator
