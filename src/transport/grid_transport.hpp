// Particle transport on the grid: the injection table by throughflow and its report, the
// walk of every particle and the grid breakthrough-curve file.
#pragma once

#include <filesystem>

#include "grid/cell.hpp"
#include "io/text_stream.hpp"
#include "options/run_options.hpp"
#include "random/random_stream.hpp"
#include "transport/particle_walks.hpp"

namespace fracflow::transport {

// Runs when grdtr is 1, after the grid flow files: prints the injection count, tracks
// totalparticles particles (none, and no draw, when no cell injects) on the stream as the
// network walk left it, and writes the breakthrough-curve file. With keepStops the stops are
// handed back too.
ParticleWalks trackGridParticles(const RunOptions& options, const CellTable& table,
                                 random::RandomStream& random, io::TextStream& console,
                                 const std::filesystem::path& curvePath, bool keepStops);

}  // namespace fracflow::transport
