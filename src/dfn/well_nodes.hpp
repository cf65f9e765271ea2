// Well nodes: the internal nodes inside the square well region, which share the well
// flux between them. Found whether or not the network flow is computed.
#pragma once

#include <string_view>
#include <vector>

#include "io/text_stream.hpp"
#include "network/node.hpp"
#include "options/run_options.hpp"

namespace fracflow::dfn {

inline constexpr std::string_view kNoWellNodeMessage =
    "Exiting because there are no nodes at the well location";

struct WellNodes {
  std::vector<int> sinkNodes;  // node indices of the well nodes, ascending
  int sinkCount = 0;
  double wellFlux = 0.0;  // taken out at each well node; applied only when sink is 1
};

// Marks the well nodes when sink is 1 and prints "Number of Sink Nodes = " in every case.
WellNodes findWellNodes(const NodeTable& nodes, const RunOptions& options, io::TextStream& console);

// A well that is switched on but holds no node leaves the flow problem undefined.
inline bool wellCatchesNoNode(const WellNodes& well, const RunOptions& options) {
  return options.sink == 1 && well.sinkCount == 0;
}

}  // namespace fracflow::dfn
