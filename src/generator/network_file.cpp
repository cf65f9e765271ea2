// Writing network data files through the checked output file.
#include "generator/network_file.hpp"

#include "io/number_format.hpp"
#include "io/output_file.hpp"

namespace fracflow::generator {

void appendPieceLine(std::string& out, const Piece& piece) {
  const LineSegment& s = piece.segment;
  for (const double v : {s.a.x, s.a.y, s.b.x, s.b.y}) {
    // +0.0 for a coordinate that is zero, so that a face reads as "0", never "-0".
    io::appendRoundTrip(out, v == 0.0 ? 0.0 : v);
    out.push_back(' ');
  }
  io::appendRoundTrip(out, piece.perm);
  out.push_back('\n');
}

void writeNetworkFile(const std::string& path, const std::vector<Piece>& pieces) {
  io::OutputFile file(path);
  std::string line;
  for (const Piece& piece : pieces) {
    line.clear();
    appendPieceLine(line, piece);
    file.write(line);
  }
  file.close();
}

}  // namespace fracflow::generator
