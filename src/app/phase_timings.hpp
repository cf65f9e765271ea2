// The wall time of each phase of a realization, for `fracflow --timings`: a lap clock that
// charges the time since its previous lap to the phase named, and the report written after
// the realization. Measuring never touches what a phase computes or prints.
#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string_view>

#include "io/text_stream.hpp"
#include "solvers/solve_report.hpp"

namespace fracflow::app {

// The phases in the order a realization runs them.
enum class Phase {
  NetworkInput,   // network data file read, fractures clipped, plot file, boundary fractures
  Segments,       // segment list, plot file, tiny-segment pass, segment density
  Nodes,          // boundary and internal nodes
  Well,           // well nodes
  DfnAssembly,    // network flow system (and its dumps)
  Minres,         // start vector and MINRES
  BackboneFiles,  // end heads, backbone, its files and the face flows
  DfnTransport,   // particles on the backbone
  GridMapping,    // active cells, the mapping passes and the cell index
  GridAssembly,   // grid flow system (and its dumps)
  Bicg,           // BiCG
  GridFiles,      // grid head file and face flows
  GridTransport,  // particles on the grid
};
inline constexpr int kPhaseCount = 13;

std::string_view phaseLabel(Phase phase);

class PhaseTimings {
 public:
  using Clock = std::chrono::steady_clock;

  // Starts a realization: every phase back to "not run" and the clock restarted.
  void start();
  // Charges the time since the last lap (or the start) to phase.
  void lap(Phase phase);
  // Ends the realization: the total is the time since the start.
  void finish();

  bool ran(Phase phase) const { return ran_[index(phase)]; }
  double seconds(Phase phase) const { return seconds_[index(phase)]; }
  double totalSeconds() const { return totalSeconds_; }

 private:
  static std::size_t index(Phase phase) { return static_cast<std::size_t>(phase); }

  std::array<double, kPhaseCount> seconds_{};
  std::array<bool, kPhaseCount> ran_{};
  double totalSeconds_ = 0.0;
  Clock::time_point start_{};
  Clock::time_point last_{};
};

// The peak resident memory of this process so far, in KiB (0 where it cannot be read).
long long peakResidentKiB();

// What the two solvers of a realization reported, where they ran.
struct SolverIterations {
  std::optional<solvers::SolveReport> minres;
  std::optional<solvers::SolveReport> bicg;
};

// Writes the report of one realization: one line per phase (seconds, or "-" for a phase
// that did not run), the realization total, the peak memory of the process so far and the
// iterations of each solver ("-" where it did not run).
void writeTimingReport(io::TextStream& out, const PhaseTimings& timings,
                       const SolverIterations& solvers, int realizationNumber);

}  // namespace fracflow::app
