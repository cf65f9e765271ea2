// Values and sizes checked before the first realization.
#include "options/study_checks.hpp"

#include <climits>

#include "io/number_format.hpp"
#include "options/parameter_file.hpp"

namespace fracflow::options {
namespace {

std::string refusal(std::string_view fileName, std::string_view field, const std::string& what) {
  std::string message(fileName);
  message += ':';
  message += std::to_string(parameterLine(field));
  message += ": ";
  message += field;
  message += ": ";
  message += what;
  return message;
}

// The counters of one bin of a breakthrough curve: the four faces and their total.
constexpr std::uint64_t kBreakthroughCounters = 5;

bool particleWalkRuns(const RunOptions& o) {
  return (o.dfncp == 1 && o.dfntr == 1) || (o.grdcp == 1 && o.grdtr == 1);
}

}  // namespace

std::optional<std::string> studyValueRefusal(const RunOptions& o, std::string_view fileName) {
  if (!(o.domainL > 0.0)) {
    return refusal(fileName, "domainL",
                   "expected a length above 0, found " + io::formatNumber(o.domainL));
  }
  if (!(o.domainW > 0.0)) {
    return refusal(fileName, "domainW",
                   "expected a length above 0, found " + io::formatNumber(o.domainW));
  }
  if (o.cellx < 1) {
    return refusal(fileName, "cellx", "expected at least 1 cell, found " + std::to_string(o.cellx));
  }
  if (o.celly < 1) {
    return refusal(fileName, "celly", "expected at least 1 cell, found " + std::to_string(o.celly));
  }
  if (o.numberruns < 0) {
    return refusal(fileName, "numberruns",
                   "expected 0 to 100 realizations, found " + std::to_string(o.numberruns));
  }
  if (particleWalkRuns(o)) {
    if (o.bcsize < 1) {
      return refusal(fileName, "bcsize",
                     "expected at least 1 bin when particles are tracked, found " +
                         std::to_string(o.bcsize) + " (every arrival would be lost)");
    }
    if (o.bcstep < 1) {
      return refusal(fileName, "bcstep",
                     "expected a bin width of at least 1 when particles are tracked, found " +
                         std::to_string(o.bcstep) + " (every arrival would be lost)");
    }
  }
  return std::nullopt;
}

std::optional<std::string> studySizeRefusal(const RunOptions& o, std::string_view fileName,
                                            std::optional<std::uint64_t> machineMemory) {
  // Grid cells are numbered with ints.
  if (o.grdcp == 1 && static_cast<long long>(o.cellx) * o.celly > INT_MAX) {
    return refusal(fileName, "cellx",
                   "a grid of " + std::to_string(o.cellx) + " x " + std::to_string(o.celly) +
                       " cells (cellx x celly, lines 3 and 4) has more than the " +
                       std::to_string(INT_MAX) + " cells the grid can number");
  }
  if (particleWalkRuns(o) && machineMemory) {
    const std::uint64_t curveBytes =
        kBreakthroughCounters * sizeof(int) * static_cast<std::uint64_t>(o.bcsize);
    if (curveBytes > *machineMemory) {
      return refusal(fileName, "bcsize",
                     std::to_string(o.bcsize) + " bins need " + io::formatBytes(curveBytes) +
                         " for a breakthrough curve (" + std::to_string(kBreakthroughCounters) +
                         " counters per bin), more than the " + io::formatBytes(*machineMemory) +
                         " of memory of this machine");
    }
  }
  return std::nullopt;
}

}  // namespace fracflow::options
