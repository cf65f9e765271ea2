// One Monte-Carlo realization: what the caller gives it (its number, its folders, its console
// and diagnostics streams), its working state (random stream, file paths) and what it hands
// back. Everything a realization computes lives in its own tables, so realizations never share
// state beyond the read-only RunOptions: several may run at once, each with its own folders and
// streams.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

#include "app/phase_timings.hpp"
#include "grid/cell.hpp"
#include "io/file_names.hpp"
#include "io/text_stream.hpp"
#include "network/node.hpp"
#include "network/segment.hpp"
#include "options/run_options.hpp"
#include "random/random_stream.hpp"
#include "solvers/solve_report.hpp"
#include "solvers/solver_choice.hpp"
#include "transport/walk_end.hpp"

namespace fracflow::app {

// How a realization ended.
enum class RealizationEnd {
  Completed,  // every phase ran
  Skipped,    // the network data file was missing or unreadable; the run goes on
  RunEnded,   // a phase ended the whole run (tiny segment, no well node, no convergence)
};

// What the caller gives a realization. The folders default to the working folder.
struct RealizationSetup {
  int realizationNumber = 1;
  io::TextStream& console;    // the realization's console lines
  std::ostream& diagnostics;  // notes for the user ("fracflow: ..." lines), never console text
  std::filesystem::path inputFolder{};   // holds Network_data.NNNN.txt
  std::filesystem::path outputFolder{};  // receives every file the realization writes
  PhaseTimings* timings = nullptr;       // set when the run reports its phase timings
  bool keepTables = false;               // hand the result tables back (RealizationTables)
  solvers::SolverChoice solver = solvers::SolverChoice::Iterative;  // of both flow systems
};

// The working state of a running realization, handed to each phase.
struct Realization {
  explicit Realization(const RealizationSetup& given)
      : setup(given),
        realizationNumber(given.realizationNumber),
        console(given.console),
        random(random::RandomStream::forRealization(given.realizationNumber)) {}

  const RealizationSetup& setup;
  int realizationNumber;
  io::TextStream& console;
  random::RandomStream random;

  // Where the realization writes file (in the output folder) or reads it (in the input folder).
  std::filesystem::path outputPath(io::RealizationFile file) const {
    return setup.outputFolder / io::realizationFileName(file, realizationNumber);
  }
  std::filesystem::path inputPath(io::RealizationFile file) const {
    return setup.inputFolder / io::realizationFileName(file, realizationNumber);
  }

  // A note on the diagnostics stream, after what the console holds so far (so that the two
  // interleave in order when both go to one terminal).
  void diagnostic(std::string_view message) const;

  // Marks the end of a phase for the timing report (nothing when timings are off).
  void lap(Phase phase) const {
    if (setup.timings != nullptr) setup.timings->lap(phase);
  }
};

// The tables a realization leaves, for writers that come after it (only with keepTables; each
// part is filled as far as the realization got).
struct RealizationTables {
  SegmentTable segments;  // after the tiny-segment pass
  NodeTable nodes;        // with the solved heads once the DFN flow is solved
  bool nodeHeadsSolved = false;
  std::vector<int> backboneSegments;  // indices into segments, ascending (DFN flow ran)
  std::optional<CellTable> cells;     // the solved cells (grid flow ran and converged)
  // One stop per particle, in tracking order, once the walk ran.
  std::optional<std::vector<transport::ParticleStop>> networkParticles;
  std::optional<std::vector<transport::ParticleStop>> gridParticles;
};

struct RealizationResult {
  RealizationEnd end = RealizationEnd::Completed;
  std::optional<solvers::SolveReport> minres;  // when the DFN flow was solved
  std::optional<solvers::SolveReport> bicg;    // when the grid flow was solved
  std::string endReason;     // when the run ended here: why, in words (see run_end.hpp)
  RealizationTables tables;  // empty unless keepTables
};

// Runs one realization from its header to its end: reads its network data file from the input
// folder, writes every file into the output folder, its console lines to setup.console and its
// notes to setup.diagnostics. With timings, each phase marks its end on them.
RealizationResult runRealization(const RunOptions& options, const RealizationSetup& setup);

// The two-line file written when a flow solver does not converge; method is "DFN" or "Grid".
void writeNonConvergenceFile(const std::filesystem::path& path, int realizationNumber,
                             std::string_view method);

}  // namespace fracflow::app
