// The checks made once the parameter file has been read and has passed its own validation,
// before the first realization: values that describe no study, then sizes the run cannot
// hold. A refusal ends the run with exit status 2 before any file of a realization is written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "options/run_options.hpp"

namespace fracflow::options {

// The first value that describes no study, as "file:line: field: what", or nullopt:
// domainL or domainW not above 0, cellx or celly below 1, numberruns below 0, and, when a
// particle walk will run, bcsize or bcstep below 1 (every arrival would be lost).
std::optional<std::string> studyValueRefusal(const RunOptions& options, std::string_view fileName);

// The first size that cannot be held, as "file:line: field: what", or nullopt. Made after the
// cell sizes are derived; a check that needs the machine (memory) belongs here too.
std::optional<std::string> studySizeRefusal(const RunOptions& options, std::string_view fileName);

}  // namespace fracflow::options
