// The start vector of the network flow solve: each internal node's head interpolated
// from the face values at its projections onto the four faces.
#pragma once

#include <vector>

#include "network/node.hpp"
#include "options/run_options.hpp"

namespace fracflow::dfn {

// Each face value is weighted by the node's distance from the opposite face.
std::vector<double> startVector(const NodeTable& nodes, const RunOptions& options);

}  // namespace fracflow::dfn
