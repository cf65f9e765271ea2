// Start vector by distance-weighted face values.
#include "dfn/start_vector.hpp"

#include <cstddef>

namespace fracflow::dfn {

std::vector<double> startVector(const NodeTable& nodes, const RunOptions& options) {
  const double L = options.domainL;
  const double W = options.domainW;
  std::vector<double> x(static_cast<std::size_t>(nodes.internalNodes));
  for (int r = 0; r < nodes.internalNodes; ++r) {
    const Node& node = nodes.nodes[static_cast<std::size_t>(nodes.boundaryNodes + r)];
    const double X = node.x;
    const double Y = node.y;
    const double dTop = W - Y;
    const double dBottom = Y;
    const double dRight = L - X;
    const double dLeft = X;
    const double Ht = options.tf1 + (options.tf2 - options.tf1) / L * X;
    const double Hb = options.bf1 + (options.bf2 - options.bf1) / L * X;
    const double Hr = options.rf1 + (options.rf2 - options.rf1) / W * Y;
    const double Hl = options.lf1 + (options.lf2 - options.lf1) / W * Y;
    x[static_cast<std::size_t>(r)] =
        ((W - dTop) * Ht + (W - dBottom) * Hb + (L - dRight) * Hr + (L - dLeft) * Hl) /
        (dTop + dBottom + dRight + dLeft);
  }
  return x;
}

}  // namespace fracflow::dfn
