// Fuzz target: the parameter file reader and the checks made before the first realization.
// Any text either reads into options whose real values are all finite, or raises the
// project's input error with a printable message naming the file and a line; nothing else.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "io/check.hpp"
#include "io/error.hpp"
#include "io/message_text.hpp"
#include "options/parameter_file.hpp"
#include "options/study_checks.hpp"

namespace {

constexpr std::string_view kFileName = "Data_and_OutputOptions.txt";

void checkMessage(std::string_view message) {
  FRACFLOW_CHECK(message.substr(0, kFileName.size() + 1) == std::string(kFileName) + ":");
  FRACFLOW_CHECK(fracflow::io::printable(message) == message);
}

bool allFinite(const fracflow::RunOptions& o) {
  const double reals[] = {o.domainL,  o.domainW, o.fracDen,  o.tf1, o.tf2, o.rf1,
                          o.rf2,      o.bf1,     o.bf2,      o.lf1, o.lf2, o.sinkLocX,
                          o.sinkLocY, o.sinkRad, o.sinkFlux, o.tol};
  for (const double v : reals) {
    if (!std::isfinite(v)) return false;
  }
  for (const fracflow::FractureSet& set : o.sets) {
    for (const double v :
         {set.prob, set.minFracL, set.alpha, set.kappa, set.thetaMean, set.perMean, set.perDev}) {
      if (!std::isfinite(v)) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  fracflow::RunOptions options;
  try {
    options = fracflow::options::parseParameterFile(text, kFileName);
  } catch (const fracflow::Error& error) {
    FRACFLOW_CHECK(error.kind() == fracflow::ErrorKind::Input);
    checkMessage(error.what());
    return 0;
  }
  FRACFLOW_CHECK(allFinite(options));
  if (fracflow::options::validationMessage(options)) return 0;
  if (const auto refusal = fracflow::options::studyValueRefusal(options, kFileName)) {
    checkMessage(*refusal);
    return 0;
  }
  fracflow::options::deriveCellSizes(options);
  FRACFLOW_CHECK(std::isfinite(options.cellSizeX) && options.cellSizeX > 0.0);
  FRACFLOW_CHECK(std::isfinite(options.cellSizeY) && options.cellSizeY > 0.0);
  if (const auto refusal = fracflow::options::studySizeRefusal(options, kFileName)) {
    checkMessage(*refusal);
  }
  return 0;
}
