// The run driver.
#include "app/run.hpp"

#include <string>

#include "app/earlier_results.hpp"
#include "app/phase_timings.hpp"
#include "app/realization.hpp"
#include "app/run_end.hpp"
#include "app/vtk_files.hpp"
#include "io/error.hpp"
#include "options/parameter_file.hpp"
#include "options/study_checks.hpp"

namespace fracflow::app {
namespace {

// The tables of a finished realization as the ParaView writer takes them.
VtkTables vtkTablesOf(const RealizationTables& tables) {
  VtkTables vtk;
  vtk.segments = &tables.segments;
  vtk.nodes = &tables.nodes;
  vtk.nodeHeadsSolved = tables.nodeHeadsSolved;
  vtk.backboneSegments = &tables.backboneSegments;
  vtk.cells = tables.cells ? &*tables.cells : nullptr;
  vtk.networkParticles = tables.networkParticles ? &*tables.networkParticles : nullptr;
  return vtk;
}

}  // namespace

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

int runSimulation(const RunSetup& setup) {
  io::TextStream& console = setup.console;
  printBanner(console);
  const std::string parameterFile = (setup.folder / options::kParameterFileName).string();
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
  if (const auto refusal = options::studyValueRefusal(runOptions, parameterFile)) {
    throw Error(ErrorKind::Input, *refusal);
  }
  options::deriveCellSizes(runOptions);
  if (const auto refusal = options::studySizeRefusal(runOptions, parameterFile)) {
    throw Error(ErrorKind::Input, *refusal);
  }
  if (const auto note = solverSettingsNote(runOptions)) {
    console.flush();
    console.sink().flush();
    setup.diagnostics << "fracflow: " << *note << '\n';
  }
  if (const auto note = earlierResultsNote(runOptions, setup.folder.empty() ? "." : setup.folder)) {
    console.flush();
    console.sink().flush();
    setup.diagnostics << "fracflow: " << *note << '\n';
  }

  int status = kExitSuccess;
  PhaseTimings timings;
  VtkSeries vtkSeries;
  for (int number = 1; number <= runOptions.numberruns; ++number) {
    timings.start();
    const RealizationSetup realization{
        number,         console,      setup.diagnostics,
        setup.folder,   setup.folder, setup.timingReport ? &timings : nullptr,
        setup.writeVtk, setup.solver};
    const RealizationResult result = runRealization(runOptions, realization);
    if (setup.writeVtk && result.end == RealizationEnd::Completed) {
      writeVtkFiles(setup.folder.empty() ? "." : setup.folder, number, vtkTablesOf(result.tables),
                    grid::GridGeometry::fromOptions(runOptions), vtkSeries);
    }
    if (setup.timingReport) {
      timings.finish();
      // After the console lines of the realization, when both go to one terminal.
      console.flush();
      console.sink().flush();
      io::TextStream report(*setup.timingReport);
      writeTimingReport(report, timings, SolverIterations{result.minres, result.bicg}, number);
      setup.timingReport->flush();
    }
    if (result.end == RealizationEnd::RunEnded) return kExitRunIncomplete;
    if (result.end == RealizationEnd::Skipped) status = kExitRunIncomplete;
  }
  return status;
}

}  // namespace fracflow::app
