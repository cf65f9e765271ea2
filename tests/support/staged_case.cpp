// Parameter files by line name, and staging of the end-to-end cases.
#include "support/staged_case.hpp"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "options/parameter_file.hpp"
#include "support/files.hpp"

namespace fracflow::testing {
namespace fs = std::filesystem;
namespace {

// The default file, line by line: the value of each value line, the whole text of each
// separator line (the lines the reader names "separator").
constexpr std::array<std::string_view, options::kParameterLines> kDefaultLines = {
    "100.0",
    "100.0",
    "10",
    "10",
    "1",
    "2",
    "1",
    "11",
    "100",
    "10",
    "1000",
    "3",
    "10",
    "0.1",
    "--- fracture set 1 ---",  //
    "1.0",
    "10.0",
    "1.5",
    "0.0",
    "0.0",
    "0.0",
    "0.3",                     //
    "--- fracture set 2 ---",  //
    "0.0",
    "10.0",
    "1.5",
    "0.0",
    "0.0",
    "0.0",
    "0.3",                     //
    "--- fracture set 3 ---",  //
    "0.0",
    "10.0",
    "1.5",
    "0.0",
    "0.0",
    "0.0",
    "0.3",                 //
    "--- face heads ---",  //
    "100.0",
    "0.0",
    "0.0",
    "0.0",
    "100.0",
    "0.0",
    "100.0",
    "100.0",                      //
    "--- well and switches ---",  //
    "2",
    "50.0",
    "50.0",
    "1.0",
    "0.0",
    "1",
    "1",
    "1",
    "1",
    "1",
    "1",
    "1",
    "1",
    "1",
    "1",               //
    "--- solver ---",  //
    "1000",
    "1e-9",
};

std::string text(const std::map<int, std::string>& byLine) {
  const std::vector<std::string_view> names = options::parameterLineNames();
  std::string out;
  for (int line = 1; line <= options::kParameterLines; ++line) {
    const std::size_t index = static_cast<std::size_t>(line - 1);
    const auto found = byLine.find(line);
    const std::string value =
        found != byLine.end() ? found->second : std::string(kDefaultLines[index]);
    if (names[index] == "separator") {
      out += value + "\n";
    } else {
      out += value + "   " + std::string(names[index]) + "\n";
    }
  }
  return out;
}

std::map<int, std::string> byLine(const ParameterValues& values) {
  std::map<int, std::string> lines;
  for (const auto& [name, value] : values) {
    const int line = options::parameterLine(name);
    if (line == 0) {
      throw std::invalid_argument("the parameter file has no line named '" + name + "'");
    }
    lines[line] = value;
  }
  return lines;
}

// The line with its first word (after any leading blanks) replaced by value.
std::string withValue(const std::string& line, const std::string& value) {
  const std::size_t start = line.find_first_not_of(" \t");
  if (start == std::string::npos) return value;
  const std::size_t end = line.find_first_of(" \t\r", start);
  return line.substr(0, start) + value + (end == std::string::npos ? "" : line.substr(end));
}

}  // namespace

std::string parameterFileText(const ParameterValues& values) { return text(byLine(values)); }

std::string parameterFileTextByLine(const std::map<int, std::string>& values) {
  return text(values);
}

void setParameters(const fs::path& folder, const ParameterValues& values) {
  const fs::path file = folder / options::kParameterFileName;
  const std::string old = readFile(file);
  std::map<int, std::string> lines = byLine(values);
  std::string updated;
  std::size_t start = 0;
  for (int line = 1; start < old.size(); ++line) {
    std::size_t end = old.find('\n', start);
    const bool broken = end != std::string::npos;
    if (!broken) end = old.size();
    const std::string content = old.substr(start, end - start);
    const auto found = lines.find(line);
    updated += found != lines.end() ? withValue(content, found->second) : content;
    if (found != lines.end()) lines.erase(found);
    if (broken) updated += '\n';
    start = end + 1;
  }
  if (!lines.empty()) {
    throw std::invalid_argument(file.string() + " ends before line " +
                                std::to_string(lines.begin()->first));
  }
  writeFile(file, updated);
}

fs::path caseFolder(const std::string& name) { return fs::path(FRACFLOW_TEST_DATA) / name; }

std::vector<std::string> endToEndCaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(caseFolder(""))) {
    if (entry.is_directory() && fs::exists(entry.path() / "expected")) {
      names.push_back(entry.path().filename().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

void stageCase(const std::string& name, const fs::path& folder, const ParameterValues& values) {
  for (const auto& entry : fs::directory_iterator(caseFolder(name) / "input")) {
    fs::copy_file(entry.path(), folder / entry.path().filename());
  }
  if (!values.empty()) setParameters(folder, values);
}

}  // namespace fracflow::testing
