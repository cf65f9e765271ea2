// Parameter files and end-to-end cases for tests: values are set by the name of their line
// in the parameter file ({"numberruns", "4"}, {"dfntr", "2"}), as the reader names them, never
// by line number.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace fracflow::testing {

// Parameter-file values by line name: {{"numberruns", "4"}, {"dfntr", "2"}}.
using ParameterValues = std::map<std::string, std::string>;

// The text of a valid parameter file (a 100 × 100 domain, 10 × 10 cells, every switch on, no
// well, three realizations), each value line carrying its name after the value, with the given
// values in place of the defaults. A name the file does not have throws std::invalid_argument.
std::string parameterFileText(const ParameterValues& values = {});

// The same file with whole lines replaced by 1-based number, separator lines included: for the
// tests of the reader's own line positions.
std::string parameterFileTextByLine(const std::map<int, std::string>& values);

// Sets the named values in the parameter file of folder: each line's first word is replaced,
// its label and line end are kept.
void setParameters(const std::filesystem::path& folder, const ParameterValues& values);

// tests/data/<name>: an end-to-end case, with input/ and expected/.
std::filesystem::path caseFolder(const std::string& name);

// The names of every end-to-end case (a folder of tests/data with an expected/ folder), sorted.
std::vector<std::string> endToEndCaseNames();

// Copies the input files of the end-to-end case into folder, then sets the given values in its
// parameter file.
void stageCase(const std::string& name, const std::filesystem::path& folder,
               const ParameterValues& values = {});

}  // namespace fracflow::testing
