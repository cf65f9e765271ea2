// Writers of the network flow files.
#include "dfn/flow_files.hpp"

#include <cmath>
#include <cstddef>

#include "io/face_flow_lines.hpp"

namespace fracflow::dfn {

void writeHeadFile(const std::string& name, const NodeTable& nodes) {
  io::OutputFile file(name, io::NumberFormat::fixed(6));
  for (int q = nodes.boundaryNodes; q < nodes.totalNodes(); ++q) {
    const Node& node = nodes.nodes[static_cast<std::size_t>(q)];
    file.line(node.x, "     ", node.y, "       ", node.head);
  }
  file.close();
}

void writeFlowDataFile(const std::string& name, const Backbone& backbone) {
  io::OutputFile file(name, io::NumberFormat::scientific(4, 13));
  for (std::size_t k = 0; k < backbone.segments.size(); ++k) {
    const Segment& s = backbone.segments[k];
    const double flow =
        std::fabs(0.01 * (backbone.head1[k] - backbone.head2[k]) * s.perm / segmentLength(s));
    file.line(s.x1, "   ", s.y1, "   ", s.x2, "   ", s.y2, "   ", s.perm, "   ", flow);
  }
  file.close();
}

void writeFaceFlows(io::OutputFile& file, const FaceFlows& flows) {
  io::writeFaceFlowLines(file, flows.topFlow, flows.rightFlow, flows.bottomFlow, flows.leftFlow,
                         "Global DFN Flow          = ", flows.globalFlow());
}

}  // namespace fracflow::dfn
