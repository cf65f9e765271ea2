// fracgen's run: the parameter file, one network file per realization, and the summary
// that tells the user how many pieces each file holds and which meet_fracs reads them all.
#pragma once

#include "generator/command_line.hpp"
#include "generator/network_generation.hpp"
#include "io/text_stream.hpp"

namespace fracflow::generator {

// Writes the network files of every realization and their summary to console. Errors
// (the parameter file, an output file) propagate as fracflow::Error.
void runGenerator(const GeneratorSettings& settings, io::TextStream& console,
                  const ProgressReport& progress = {});

}  // namespace fracflow::generator
