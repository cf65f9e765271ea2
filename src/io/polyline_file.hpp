// The polyline plot files (.bln): each piece as a two-point polyline, "2" then one line per
// point, three blanks, x, ", ", y, in fixed notation with six digits after the point.
#pragma once

#include <filesystem>

#include "io/output_file.hpp"

namespace fracflow::io {

class PolylineFile {
 public:
  // Creates the file (replacing an old one); a file with no line is empty.
  explicit PolylineFile(const std::filesystem::path& path);

  // One two-point polyline from (x1, y1) to (x2, y2).
  void addLine(double x1, double y1, double x2, double y2);
  void close() { file_.close(); }

 private:
  OutputFile file_;
};

}  // namespace fracflow::io
