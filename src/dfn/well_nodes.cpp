// Well-node selection.
#include "dfn/well_nodes.hpp"

#include <cmath>
#include <cstddef>

namespace fracflow::dfn {

WellNodes findWellNodes(const NodeTable& nodes, const RunOptions& options,
                        io::TextStream& console) {
  WellNodes well;
  if (options.sink == 1) {
    for (int q = nodes.boundaryNodes; q < nodes.totalNodes(); ++q) {
      const Node& node = nodes.nodes[static_cast<std::size_t>(q)];
      if (std::fabs(node.x - options.sinkLocX) < options.sinkRad &&
          std::fabs(node.y - options.sinkLocY) < options.sinkRad) {
        well.sinkNodes.push_back(q);
      }
    }
    well.sinkCount = static_cast<int>(well.sinkNodes.size());
  }
  console.line("Number of Sink Nodes = ", well.sinkCount);
  // Without a well node the run ends before the flux could be applied.
  well.wellFlux = well.sinkCount > 0 ? options.sinkFlux / well.sinkCount : options.sinkFlux;
  return well;
}

}  // namespace fracflow::dfn
