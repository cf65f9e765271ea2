// fracgen: draws the fracture networks of a parameter file's realizations and writes them
// as the network data files fracflow reads. Maps errors to exit statuses.
#include <unistd.h>

#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "generator/command_line.hpp"
#include "generator/generator_run.hpp"
#include "io/error.hpp"
#include "io/message_text.hpp"
#include "io/text_stream.hpp"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitOutputFailed = 1;
constexpr int kExitBadInput = 2;

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  fracflow::generator::GeneratorSettings settings;
  try {
    settings = fracflow::generator::parseCommandLine(arguments);
  } catch (const fracflow::Error& error) {
    std::cerr << "fracgen: " << fracflow::io::printable(error.what()) << " (see fracgen --help)\n";
    return kExitBadInput;
  }
  if (settings.help) {
    std::cout << fracflow::generator::kUsage;
    return kExitSuccess;
  }
  if (settings.version) {
    std::cout << "fracgen " << FRACFLOW_VERSION << '\n';
    return kExitSuccess;
  }

  // Progress goes to a terminal only, on one line that each report overwrites.
  fracflow::generator::ProgressReport progress;
  if (isatty(STDERR_FILENO) == 1) {
    progress = [](std::string_view text) {
      std::cerr << "\r\x1b[K";
      if (!text.empty()) std::cerr << "fracgen: " << text;
      std::cerr.flush();
    };
  }

  int status = kExitSuccess;
  {
    fracflow::io::TextStream console(std::cout);
    try {
      fracflow::generator::runGenerator(settings, console, progress);
    } catch (const fracflow::Error& error) {
      console.flush();
      std::cout.flush();
      if (progress) progress("");
      std::cerr << "fracgen: " << fracflow::io::printable(error.what()) << '\n';
      status = error.kind() == fracflow::ErrorKind::Input ? kExitBadInput : kExitOutputFailed;
    } catch (const std::exception& error) {
      console.flush();
      std::cout.flush();
      if (progress) progress("");
      std::cerr << "fracgen: " << fracflow::io::printable(error.what()) << '\n';
      status = kExitOutputFailed;
    }
  }
  std::cout.flush();
  return status;
}
