// Particle transport on the network: the injection table and its report, the walk of every
// particle, the last-location file and the network breakthrough-curve file.
#pragma once

#include <filesystem>

#include "dfn/backbone.hpp"
#include "io/text_stream.hpp"
#include "options/run_options.hpp"
#include "random/random_stream.hpp"
#include "transport/particle_walks.hpp"

namespace fracflow::transport {

// Runs when dfntr is 1, after the backbone files: prints the injection count, tracks
// totalparticles particles (none, and no draw, when no segment injects), and writes the
// last-location file and the breakthrough-curve file. The stream is left where the last
// particle left it, for the grid walk. With keepStops the stops are handed back too.
ParticleWalks trackNetworkParticles(const RunOptions& options, const Backbone& backbone,
                                    random::RandomStream& random, io::TextStream& console,
                                    const std::filesystem::path& lastLocationsPath,
                                    const std::filesystem::path& curvePath, bool keepStops);

}  // namespace fracflow::transport
