// Writers of the network flow files.
#include "dfn/flow_files.hpp"

#include <cmath>
#include <cstddef>

#include "io/face_flow_lines.hpp"
#include "io/output_file.hpp"

namespace fracflow::dfn {

void writeHeadFile(const std::filesystem::path& path, const NodeTable& nodes) {
  io::OutputFile file(path, io::NumberFormat::fixed(6));
  for (int q = nodes.boundaryNodes; q < nodes.totalNodes(); ++q) {
    const Node& node = nodes.nodes[static_cast<std::size_t>(q)];
    file.line(node.x, "     ", node.y, "       ", node.head);
  }
  file.close();
}

void writeFlowDataFile(const std::filesystem::path& path, const Backbone& backbone) {
  io::OutputFile file(path, io::NumberFormat::scientific(4, 13));
  for (std::size_t k = 0; k < backbone.segments.size(); ++k) {
    const Segment& s = backbone.segments[k];
    const double flow =
        std::fabs(0.01 * (backbone.head1[k] - backbone.head2[k]) * s.perm / segmentLength(s));
    file.line(s.x1, "   ", s.y1, "   ", s.x2, "   ", s.y2, "   ", s.perm, "   ", flow);
  }
  file.close();
}

void writeFlowFile(const std::filesystem::path& path, const FaceFlows& flows,
                   const NodeTable& nodes, std::optional<int> injectionSegments) {
  io::OutputFile file(path);
  io::writeFaceFlowLines(file, flows, "Global DFN Flow          = ");
  if (injectionSegments) {
    file.line("Transp = ", *injectionSegments);
    file.line("Internal Nodes = ", nodes.internalNodes);
    file.line("Boundary Nodes = ", nodes.boundaryNodes);
    file.line("Total Nodes = ", nodes.totalNodes());
  }
  file.close();
}

}  // namespace fracflow::dfn
