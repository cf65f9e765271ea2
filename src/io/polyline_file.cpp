// Polyline plot files.
#include "io/polyline_file.hpp"

#include "io/output_file.hpp"

namespace fracflow::io {

void writePolylineFile(const std::string& name, const SegmentTable& segments) {
  OutputFile file(name, NumberFormat::fixed(6));
  for (const Segment& s : segments) {
    file.line("2");
    file.line("   ", s.x1, ", ", s.y1);
    file.line("   ", s.x2, ", ", s.y2);
  }
  file.close();
}

}  // namespace fracflow::io
