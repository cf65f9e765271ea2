// The realization loop of fracgen.
#include "generator/generator_run.hpp"

#include <filesystem>
#include <string>
#include <system_error>

#include "generator/network_file.hpp"
#include "generator/network_law.hpp"
#include "io/error.hpp"
#include "io/file_names.hpp"
#include "options/parameter_file.hpp"

namespace fracflow::generator {
namespace {

// Pieces at most this fraction of domainL long are tiny to the simulator, which removes
// or joins them in its tiny-segment pass.
constexpr double kTinyFraction = 1e-5;

RunOptions loadOptions(const std::string& path) {
  std::string reason;
  std::optional<RunOptions> options = options::readParameterFile(path, &reason);
  if (!options) {
    throw Error(ErrorKind::Input,
                path + ": " + std::string(options::kCannotOpenMessage) + " (" + reason + ")");
  }
  if (const auto message = options::validationMessage(*options)) {
    throw Error(ErrorKind::Input, path + ": " + std::string(*message));
  }
  return *options;
}

std::string outputPath(const GeneratorSettings& settings, const std::string& name) {
  if (settings.outputDir.empty()) return name;
  return (std::filesystem::path(settings.outputDir) / name).string();
}

}  // namespace

void runGenerator(const GeneratorSettings& settings, io::TextStream& console,
                  const ProgressReport& progress) {
  const RunOptions options = loadOptions(settings.parameterFile);
  const NetworkLaw law = makeNetworkLaw(options, settings.parameterFile);
  if (!settings.outputDir.empty()) {
    std::error_code error;
    std::filesystem::create_directories(settings.outputDir, error);
    if (error) {
      throw Error(ErrorKind::Output, settings.outputDir + ": cannot create the output folder (" +
                                         error.message() + ")");
    }
  }
  if (options.numberruns < 1) {
    console.line("numberruns is ", options.numberruns, ": there is no network to write");
    return;
  }

  std::size_t largest = 0;
  std::string largestFile;
  for (int k = 1; k <= options.numberruns; ++k) {
    const std::string name = outputPath(settings, io::realizationFileName("Network_data.", k));
    ProgressReport step;
    if (progress) step = [&](std::string_view text) { progress(name + ": " + std::string(text)); };
    const GeneratedNetwork network = generateNetwork(law, settings.seed, k, step);
    if (step) step("writing " + std::to_string(network.pieces.size()) + " pieces");
    writeNetworkFile(name, network.pieces);
    if (progress) progress("");

    std::size_t tiny = 0;
    for (const Piece& piece : network.pieces) {
      if (segmentLength(piece.segment) <= kTinyFraction * law.domainL) ++tiny;
    }
    console.write(name, ": ", network.fractureCount, " fractures, ", network.pieces.size(),
                  " pieces, segment density ", pieceDensity(network.pieces, law));
    if (tiny > 0) {
      console.write(", ", tiny, tiny == 1 ? " tiny piece" : " tiny pieces",
                    " (at most 1e-5 domainL)");
    }
    console.line();
    console.flush();
    console.sink().flush();
    if (k == 1 || network.pieces.size() > largest) {
      largest = network.pieces.size();
      largestFile = name;
    }
  }
  console.line("Largest piece count: ", largest, " (", largestFile,
               "); set meet_fracs (line 13) to ", largest, " to read every piece");
  const auto meetFracs = static_cast<long long>(options.meet_fracs);
  if (meetFracs < static_cast<long long>(largest)) {
    console.line("meet_fracs is ", options.meet_fracs, " in ", settings.parameterFile,
                 ": fracflow reads only the first ", options.meet_fracs, " pieces of a file");
  } else {
    console.line("meet_fracs is ", options.meet_fracs, " in ", settings.parameterFile,
                 ": fracflow reads every piece");
  }
}

}  // namespace fracflow::generator
