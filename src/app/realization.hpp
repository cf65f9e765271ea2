// One Monte-Carlo realization: its number, its console, its random stream and its file
// names. Everything a realization computes lives in its own tables, so realizations never
// share state beyond the read-only RunOptions.
#pragma once

#include <string>
#include <string_view>

#include "app/phase_timings.hpp"
#include "app/vtk_files.hpp"
#include "io/file_names.hpp"
#include "io/text_stream.hpp"
#include "options/run_options.hpp"
#include "random/random_stream.hpp"

namespace fracflow::app {

// How a realization ended.
enum class RealizationEnd {
  Completed,  // every phase ran
  Skipped,    // the network data file was missing or unreadable; the run goes on
  RunEnded,   // a phase ended the whole run (tiny segment, no well node, no convergence)
};

struct Realization {
  int realizationNumber = 1;
  io::TextStream& console;
  random::RandomStream random;
  PhaseTimings* timings = nullptr;  // set when the run reports its phase timings

  // Marks the end of a phase for the timing report (nothing when timings are off).
  void lap(Phase phase) const {
    if (timings != nullptr) timings->lap(phase);
  }

  // A note for the user on standard error, after what the console holds so far.
  void diagnostic(const std::string& message) const;

  std::string fileName(std::string_view prefix,
                       io::Extension extension = io::Extension::Txt) const {
    return io::realizationFileName(prefix, realizationNumber, extension);
  }
};

// Runs realization realizationNumber from its header to its end. With timings, each phase
// marks its end on them. With vtkSeries, a realization that runs to its end also writes its
// ParaView files and adds itself to their series.
RealizationEnd runRealization(const RunOptions& options, int realizationNumber,
                              io::TextStream& console, PhaseTimings* timings = nullptr,
                              VtkSeries* vtkSeries = nullptr);

// The two-line file written when a flow solver does not converge; method is "DFN" or "Grid".
void writeNonConvergenceFile(std::string_view prefix, int realizationNumber,
                             std::string_view method);

}  // namespace fracflow::app
