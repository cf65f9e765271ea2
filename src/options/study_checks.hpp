// The checks made once the parameter file has been read and has passed its own validation,
// before the first realization: values that describe no study, then sizes the run cannot
// hold. A refusal ends the run with exit status 2 before any file of a realization is written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "io/machine_resources.hpp"
#include "options/run_options.hpp"

namespace fracflow::options {

// The first value that describes no study, as "file:line: field: what", or nullopt:
// domainL or domainW not above 0, cellx or celly below 1, numberruns below 0, and, when a
// particle walk will run, bcsize or bcstep below 1 (every arrival would be lost).
std::optional<std::string> studyValueRefusal(const RunOptions& options, std::string_view fileName);

// The first size that cannot be held, as "file:line: field: what", or nullopt. Made after the
// cell sizes are derived. machineMemory (bytes; nullopt when unknown) bounds what a table of
// the run may take: a breakthrough curve holds 5 counters per bin of bcsize.
std::optional<std::string> studySizeRefusal(
    const RunOptions& options, std::string_view fileName,
    std::optional<std::uint64_t> machineMemory = io::physicalMemoryBytes());

}  // namespace fracflow::options
