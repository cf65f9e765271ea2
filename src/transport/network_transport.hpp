// Particle transport on the network: the injection table and its report, the walk of every
// particle, the last-location file and the network breakthrough-curve file.
#pragma once

#include <vector>

#include "dfn/backbone.hpp"
#include "io/output_file.hpp"
#include "io/text_stream.hpp"
#include "network/node.hpp"
#include "options/run_options.hpp"
#include "random/random_stream.hpp"
#include "transport/walk_end.hpp"

namespace fracflow::transport {

// Runs when dfntr is 1, right after the face flows: appends the injection count and the node
// counts to the open DFN flow file and closes it, prints the injection count, tracks
// totalparticles particles (none, and no draw, when no segment injects), and writes
// Particles_last_location.NNNN.txt and DFN_bcrv.NNNN.txt. The stream is left where the
// last particle left it, for the grid walk. Only the counts of nodeCounts are read. Returns
// where each particle stopped, in particle order.
std::vector<ParticleStop> runNetworkTransport(const RunOptions& options, const Backbone& backbone,
                                              const NodeTable& nodeCounts,
                                              io::OutputFile& dfnFlowFile,
                                              random::RandomStream& random, io::TextStream& console,
                                              int realizationNumber);

}  // namespace fracflow::transport
