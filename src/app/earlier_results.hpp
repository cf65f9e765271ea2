// Result files an earlier run left in the folder a run starts in: which of them this run will
// write again (when their realization gets that far) and which will stay as they are, so that
// a stale file (a realization beyond numberruns, a family switched off, an old non-convergence
// file) is not taken for a result of this run.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "options/run_options.hpp"

namespace fracflow::app {

// The note for folder, one line per kind, or nullopt when it holds no result file.
std::optional<std::string> earlierResultsNote(const RunOptions& options,
                                              const std::filesystem::path& folder);

}  // namespace fracflow::app
