// The run driver.
#include "app/run.hpp"

#include <iostream>
#include <string>

#include "app/earlier_results.hpp"
#include "app/phase_timings.hpp"
#include "app/realization.hpp"
#include "io/error.hpp"
#include "options/parameter_file.hpp"
#include "options/study_checks.hpp"

namespace fracflow::app {

void printBanner(io::TextStream& console) {
  const std::string stars(78, '*');
  console.line(stars);
  console.line(stars);
  console.line("***** This code is designed to generate stochastic fracture networks and *****");
  console.line("***** to compute flow and particle breakthrough curves via two different *****");
  console.line("***** approaches. The first approach is the discrete fracture network    *****");
  console.line("***** (DFN) method and the second approach is the fracture continuum     *****");
  console.line("***** (grid-based) method that employs mapping techniques to evaluate    *****");
  console.line("***** fracture continuum properties on a rectangular grid. Particles move*****");
  console.line("***** by pure advection process in individual fractures.                 *****");
  console.line(stars);
  console.line(stars);
  console.line();
}

int runSimulation(io::TextStream& console, std::ostream* timingReport, bool writeVtk) {
  printBanner(console);
  const std::string parameterFile(options::kParameterFileName);
  std::string reason;
  std::optional<RunOptions> loaded = options::readParameterFile(parameterFile, &reason);
  if (!loaded) {
    console.line(options::kCannotOpenMessage);
    throw Error(ErrorKind::Input, parameterFile + ": " + reason);
  }
  RunOptions& runOptions = *loaded;
  if (const auto message = options::validationMessage(runOptions)) {
    console.line(*message);
    return kExitBadInput;
  }
  const std::string_view fileName = options::kParameterFileName;
  if (const auto refusal = options::studyValueRefusal(runOptions, fileName)) {
    throw Error(ErrorKind::Input, *refusal);
  }
  options::deriveCellSizes(runOptions);
  if (const auto refusal = options::studySizeRefusal(runOptions, fileName)) {
    throw Error(ErrorKind::Input, *refusal);
  }
  if (const auto note = earlierResultsNote(runOptions, ".")) {
    console.flush();
    console.sink().flush();
    std::cerr << "fracflow: " << *note << '\n';
  }

  int status = kExitSuccess;
  PhaseTimings timings;
  VtkSeries vtkSeries;
  for (int number = 1; number <= runOptions.numberruns; ++number) {
    timings.start();
    const RealizationEnd end =
        runRealization(runOptions, number, console, timingReport ? &timings : nullptr,
                       writeVtk ? &vtkSeries : nullptr);
    if (timingReport) {
      timings.finish();
      // After the console lines of the realization, when both go to one terminal.
      console.flush();
      console.sink().flush();
      io::TextStream report(*timingReport);
      writeTimingReport(report, timings, number);
      timingReport->flush();
    }
    if (end == RealizationEnd::RunEnded) return kExitRunIncomplete;
    if (end == RealizationEnd::Skipped) status = kExitRunIncomplete;
  }
  return status;
}

}  // namespace fracflow::app
