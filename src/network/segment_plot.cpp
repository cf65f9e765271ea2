// Segment plots through the polyline writer.
#include "network/segment_plot.hpp"

#include "io/polyline_file.hpp"

namespace fracflow::network {

void writeSegmentPlot(const std::filesystem::path& path, const SegmentTable& segments) {
  io::PolylineFile file(path);
  for (const Segment& s : segments) file.addLine(s.x1, s.y1, s.x2, s.y2);
  file.close();
}

}  // namespace fracflow::network
