// Polyline plot files.
#include "io/polyline_file.hpp"

namespace fracflow::io {

PolylineFile::PolylineFile(const std::filesystem::path& path)
    : file_(path, NumberFormat::fixed(6)) {}

void PolylineFile::addLine(double x1, double y1, double x2, double y2) {
  file_.line("2");
  file_.line("   ", x1, ", ", y1);
  file_.line("   ", x2, ", ", y2);
}

}  // namespace fracflow::io
