// The run driver: the banner, the parameter file, then the realizations one after another.
#pragma once

#include <filesystem>
#include <ostream>

#include "io/text_stream.hpp"

namespace fracflow::app {

// Exit statuses of a run.
inline constexpr int kExitSuccess = 0;        // every realization ran to its end
inline constexpr int kExitRunIncomplete = 1;  // the run ended early or skipped a realization
inline constexpr int kExitBadInput = 2;       // the parameter file is missing, malformed or invalid

// Where a run reads and writes, and where its text goes.
struct RunSetup {
  io::TextStream& console;               // the console log
  std::ostream& diagnostics;             // notes for the user, "fracflow: ..." lines
  std::ostream* timingReport = nullptr;  // with --timings: the report of each realization
  std::filesystem::path folder{};        // the parameter and network files, and every output
  bool writeVtk = false;                 // --vtk: the ParaView files of each finished realization
};

// Runs the simulation and returns the exit status. Output errors propagate as
// fracflow::Error. With a timing report stream, the phase timings and solver iterations of each
// realization are written to it when the realization ends; the console and the files are the
// same either way. With writeVtk, each realization that runs to its end also writes its ParaView
// files (the other files are the same either way).
int runSimulation(const RunSetup& setup);

void printBanner(io::TextStream& console);

}  // namespace fracflow::app
