// Writing network data files through the checked output file.
#include "generator/network_file.hpp"

#include <filesystem>
#include <system_error>

#include "io/error.hpp"
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

std::string temporaryNetworkPath(const std::string& path) {
  const std::filesystem::path p(path);
  return (p.parent_path() / ("." + p.filename().string() + ".part")).string();
}

void writeNetworkFile(const std::string& path, const std::vector<Piece>& pieces) {
  const std::string temporary = temporaryNetworkPath(path);
  try {
    io::OutputFile file(temporary);
    std::string line;
    for (const Piece& piece : pieces) {
      line.clear();
      appendPieceLine(line, piece);
      file.write(line);
    }
    file.close();
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
      throw Error(ErrorKind::Output, path + ": cannot give the written network file its name (" +
                                         error.message() + ")");
    }
  } catch (const Error& error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    // Named by the file the user asked for.
    std::string message = error.what();
    if (message.rfind(temporary, 0) == 0) message = path + message.substr(temporary.size());
    throw Error(error.kind(), message);
  } catch (...) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    throw;
  }
}

}  // namespace fracflow::generator
