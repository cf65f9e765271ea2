// Phase clock and its report.
#include "app/phase_timings.hpp"

#include <sys/resource.h>

#include <string>

namespace fracflow::app {
namespace {

double secondsBetween(PhaseTimings::Clock::time_point from, PhaseTimings::Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

constexpr std::size_t kLabelWidth = 24;

std::string paddedLabel(std::string_view label) {
  std::string text = "  ";
  text += label;
  if (text.size() < kLabelWidth) text.append(kLabelWidth - text.size(), ' ');
  return text;
}

}  // namespace

std::string_view phaseLabel(Phase phase) {
  switch (phase) {
    case Phase::NetworkInput:
      return "network input";
    case Phase::Segments:
      return "segments, tiny pass";
    case Phase::Nodes:
      return "nodes";
    case Phase::Well:
      return "well";
    case Phase::DfnAssembly:
      return "DFN assembly";
    case Phase::Minres:
      return "MINRES";
    case Phase::BackboneFiles:
      return "backbone, files";
    case Phase::DfnTransport:
      return "DFN transport";
    case Phase::GridMapping:
      return "grid mapping";
    case Phase::GridAssembly:
      return "grid assembly";
    case Phase::Bicg:
      return "BiCG";
    case Phase::GridFiles:
      return "grid files";
    case Phase::GridTransport:
      return "grid transport";
  }
  return "?";
}

void PhaseTimings::start() {
  seconds_.fill(0.0);
  ran_.fill(false);
  totalSeconds_ = 0.0;
  start_ = Clock::now();
  last_ = start_;
}

void PhaseTimings::lap(Phase phase) {
  const Clock::time_point now = Clock::now();
  seconds_[index(phase)] += secondsBetween(last_, now);
  ran_[index(phase)] = true;
  last_ = now;
}

void PhaseTimings::finish() { totalSeconds_ = secondsBetween(start_, Clock::now()); }

long long peakResidentKiB() {
  rusage usage{};
  if (getrusage(RUSAGE_SELF, &usage) != 0) return 0;
  return static_cast<long long>(usage.ru_maxrss);  // KiB on Linux
}

void writeTimingReport(io::TextStream& out, const PhaseTimings& timings,
                       const SolverIterations& solvers, int realizationNumber) {
  out.setFormat(io::NumberFormat::general());
  out.line("fracflow: timings of realization ", realizationNumber, " (wall seconds)");
  out.setFormat(io::NumberFormat::fixed(3, 10));
  for (int p = 0; p < kPhaseCount; ++p) {
    const auto phase = static_cast<Phase>(p);
    if (timings.ran(phase)) {
      out.line(paddedLabel(phaseLabel(phase)), timings.seconds(phase));
    } else {
      out.line(paddedLabel(phaseLabel(phase)), "         -");
    }
  }
  out.line(paddedLabel("realization total"), timings.totalSeconds());
  out.setFormat(io::NumberFormat::fixed(1, 10));
  out.line(paddedLabel("peak memory (MiB)"), static_cast<double>(peakResidentKiB()) / 1024.0);
  out.setFormat(io::NumberFormat{io::Notation::General, 6, 10});
  const auto iterations = [&](std::string_view label,
                              const std::optional<solvers::SolveReport>& report) {
    if (!report) {
      out.line(paddedLabel(label), "         -");
      return;
    }
    out.line(paddedLabel(label), report->iterations, report->converged ? "" : "  (not converged)");
  };
  iterations("MINRES iterations", solvers.minres);
  iterations("BiCG iterations", solvers.bicg);
  out.flush();
}

}  // namespace fracflow::app
