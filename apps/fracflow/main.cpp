// fracflow: steady flow and particle transport in 2-D fracture networks by the discrete
// fracture network and the fracture-continuum methods, realization by realization.
// Works in the working directory; maps errors to exit statuses.
#include <exception>
#include <iostream>
#include <string_view>

#include "app/run.hpp"
#include "io/error.hpp"
#include "io/message_text.hpp"
#include "io/text_stream.hpp"

namespace {

constexpr std::string_view kUsage =
    "usage: fracflow [--timings] [--vtk] | --help | --version\n"
    "\n"
    "Runs the realizations described by Data_and_OutputOptions.txt in the working\n"
    "directory, reading Network_data.NNNN.txt for realization NNNN and writing the\n"
    "result files of each realization there.\n"
    "\n"
    "  --timings  after each realization, write the wall time of each of its phases,\n"
    "             its total and the peak memory of the run so far to standard error\n"
    "             (the console log and the files are unchanged)\n"
    "  --vtk      also write ParaView files for each realization that runs to its end:\n"
    "             Network.NNNN.vtu, Grid.NNNN.vti (grdcp 1), Particles.NNNN.vtu (dfntr\n"
    "             1), and the series Network.pvd, Grid.pvd, Particles.pvd over them\n"
    "\n"
    "exit status: 0 every realization ran to its end; 1 the run ended early, skipped a\n"
    "realization or could not write a file; 2 the parameter file is missing, malformed\n"
    "or invalid, or the command line is wrong.\n";

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  bool timings = false;
  bool vtk = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const bool alone = argc == 2;
    if (alone && argument == "--help") {
      std::cout << kUsage;
      return 0;
    }
    if (alone && argument == "--version") {
      std::cout << "fracflow " << FRACFLOW_VERSION << '\n';
      return 0;
    }
    if (argument == "--timings" && !timings) {
      timings = true;
      continue;
    }
    if (argument == "--vtk" && !vtk) {
      vtk = true;
      continue;
    }
    if (argument == "--help" || argument == "--version" || argument == "--timings" ||
        argument == "--vtk") {
      std::cerr << "fracflow: '" << argument
                << "' cannot be combined with other arguments (see fracflow --help)\n";
    } else {
      std::cerr << "fracflow: unknown argument '" << fracflow::io::printable(argument)
                << "' (see fracflow --help)\n";
    }
    return fracflow::app::kExitBadInput;
  }

  int status = fracflow::app::kExitSuccess;
  {
    fracflow::io::TextStream console(std::cout);
    try {
      fracflow::app::RunSetup setup{console, std::cerr, timings ? &std::cerr : nullptr};
      setup.writeVtk = vtk;
      status = fracflow::app::runSimulation(setup);
    } catch (const fracflow::Error& error) {
      console.flush();
      std::cout.flush();
      std::cerr << "fracflow: " << fracflow::io::printable(error.what()) << '\n';
      status = error.kind() == fracflow::ErrorKind::Input ? fracflow::app::kExitBadInput
                                                          : fracflow::app::kExitRunIncomplete;
    } catch (const std::exception& error) {
      console.flush();
      std::cout.flush();
      std::cerr << "fracflow: " << fracflow::io::printable(error.what()) << '\n';
      status = fracflow::app::kExitRunIncomplete;
    }
  }
  std::cout.flush();
  return status;
}
