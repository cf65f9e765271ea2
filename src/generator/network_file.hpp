// The network data file a generated realization is written to: one piece per line,
// "x1 y1 x2 y2 perm", every number in the shortest text that reads back to the same double.
#pragma once

#include <string>
#include <vector>

#include "generator/network_generation.hpp"

namespace fracflow::generator {

// The text of one piece's line, line break included.
void appendPieceLine(std::string& out, const Piece& piece);

// Writes the pieces to path (replacing an older file); an Output error if that fails.
void writeNetworkFile(const std::string& path, const std::vector<Piece>& pieces);

}  // namespace fracflow::generator
