// Reading Data_and_OutputOptions.txt: 66 lines identified by position, each value line
// starting with its number, six separator lines skipped whole; then the validation of the
// switches and of the number of realizations.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "options/run_options.hpp"

namespace fracflow::options {

inline constexpr std::string_view kParameterFileName = "Data_and_OutputOptions.txt";
inline constexpr int kParameterLines = 66;

// The message printed when the parameter file cannot be opened.
inline constexpr std::string_view kCannotOpenMessage =
    "Could not open the data and output options file";

// Reads the 66 lines from text (the whole file; a UTF-8 byte-order mark at its start is
// skipped). A missing line, or a value token that is not wholly a number of its field's type,
// raises an Input error "file:line: field: expected ..., found 'token'".
// The derived cell sizes are not set here (see deriveCellSizes).
RunOptions parseParameterFile(std::string_view text, std::string_view fileName);

// The name of each of the 66 lines, in file order, as the reader's messages give it
// ("separator" for the six separator lines).
std::vector<std::string_view> parameterLineNames();

// The line (1-based) of the field with the given name, 0 for an unknown name.
int parameterLine(std::string_view field);

// Reads the file; nullopt when it cannot be read (missing, unreadable, a directory, a FIFO
// or a device), with the system's reason in *reason when reason is given.
std::optional<RunOptions> readParameterFile(const std::string& path, std::string* reason = nullptr);

// The console message of the first failing check, or nullopt when the options are valid.
std::optional<std::string_view> validationMessage(const RunOptions& options);

// cellSizeX = domainL / cellx and cellSizeY = domainW / celly.
void deriveCellSizes(RunOptions& options);

}  // namespace fracflow::options
