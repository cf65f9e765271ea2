// The run driver: the banner, the parameter file, then the realizations one after another.
#pragma once

#include <ostream>

#include "io/text_stream.hpp"

namespace fracflow::app {

// Exit statuses of a run.
inline constexpr int kExitSuccess = 0;        // every realization ran to its end
inline constexpr int kExitRunIncomplete = 1;  // the run ended early or skipped a realization
inline constexpr int kExitBadInput = 2;       // the parameter file is missing, malformed or invalid

// Runs the simulation in the working directory and returns the exit status. Values refused
// before the first realization (Input) and output errors propagate as fracflow::Error. With a
// timing report stream, the phase timings of each realization are written to it when the
// realization ends; the console and the files are the same either way. With writeVtk, each
// realization that runs to its end also writes its ParaView files (the other files are the
// same either way).
int runSimulation(io::TextStream& console, std::ostream* timingReport = nullptr,
                  bool writeVtk = false);

void printBanner(io::TextStream& console);

}  // namespace fracflow::app
