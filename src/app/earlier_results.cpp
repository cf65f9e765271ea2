// Recognising result files by their names: a known prefix, four digits and the extension of
// that family.
#include "app/earlier_results.hpp"

#include <algorithm>
#include <array>
#include <string_view>
#include <system_error>
#include <vector>

namespace fracflow::app {
namespace {

struct ResultFamily {
  std::string_view prefix;
  std::string_view extension;
  bool (*written)(const RunOptions&);  // whether this run writes the family
};

bool never(const RunOptions&) { return false; }

// Every family a realization writes; the non-convergence files only when a solve fails.
constexpr std::array<ResultFamily, 17> kFamilies = {{
    {"Fractures.", ".bln", [](const RunOptions& o) { return o.ntwrk == 1; }},
    {"Segments.", ".bln", [](const RunOptions& o) { return o.ntwrk == 1; }},
    {"a.", ".txt", [](const RunOptions& o) { return o.dfncp == 1 && o.dfnfl == 1; }},
    {"b.", ".txt", [](const RunOptions& o) { return o.dfncp == 1 && o.dfnfl == 1; }},
    {"Backbone.", ".bln", [](const RunOptions& o) { return o.dfncp == 1 && o.bbone == 1; }},
    {"dfnhead.", ".txt", [](const RunOptions& o) { return o.dfncp == 1 && o.dfndt == 1; }},
    {"FlowData.", ".txt", [](const RunOptions& o) { return o.dfncp == 1 && o.dfndt == 1; }},
    {"DFN_flow.", ".txt", [](const RunOptions& o) { return o.dfncp == 1; }},
    {"Particles_last_location.", ".txt",
     [](const RunOptions& o) { return o.dfncp == 1 && o.dfntr == 1; }},
    {"DFN_bcrv.", ".txt", [](const RunOptions& o) { return o.dfncp == 1 && o.dfntr == 1; }},
    {"ag.", ".txt", [](const RunOptions& o) { return o.grdcp == 1 && o.grdfl == 1; }},
    {"bg.", ".txt", [](const RunOptions& o) { return o.grdcp == 1 && o.grdfl == 1; }},
    {"grdhead.", ".txt", [](const RunOptions& o) { return o.grdcp == 1 && o.grddt == 1; }},
    {"Grd_flow.", ".txt", [](const RunOptions& o) { return o.grdcp == 1; }},
    {"Grd_bcrv.", ".txt", [](const RunOptions& o) { return o.grdcp == 1 && o.grdtr == 1; }},
    {"NoConDFN.", ".txt", never},
    {"NoConGrd.", ".txt", never},
}};

// The realization number of a result file name of the family, or 0.
int realizationOf(std::string_view name, const ResultFamily& family) {
  constexpr std::size_t kDigits = 4;
  if (name.size() != family.prefix.size() + kDigits + family.extension.size()) return 0;
  if (name.substr(0, family.prefix.size()) != family.prefix) return 0;
  if (name.substr(name.size() - family.extension.size()) != family.extension) return 0;
  int number = 0;
  for (const char c : name.substr(family.prefix.size(), kDigits)) {
    if (c < '0' || c > '9') return 0;
    number = number * 10 + (c - '0');
  }
  return number;
}

constexpr std::size_t kNamesShown = 6;

std::string listed(const std::vector<std::string>& names) {
  std::string text = std::to_string(names.size()) + (names.size() == 1 ? " file (" : " files (");
  for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i) {
    if (i > 0) text += ", ";
    text += names[i];
  }
  if (names.size() > kNamesShown) text += ", ... " + names.back();
  return text + ")";
}

}  // namespace

std::optional<std::string> earlierResultsNote(const RunOptions& options,
                                              const std::filesystem::path& folder) {
  std::vector<std::string> replaced;
  std::vector<std::string> staying;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    for (const ResultFamily& family : kFamilies) {
      const int number = realizationOf(name, family);
      if (number == 0) continue;
      const bool rewritten = number <= options.numberruns && family.written(options);
      (rewritten ? replaced : staying).push_back(name);
      break;
    }
  }
  if (replaced.empty() && staying.empty()) return std::nullopt;
  std::sort(replaced.begin(), replaced.end());
  std::sort(staying.begin(), staying.end());
  std::string note = "result files of an earlier run are in this folder";
  if (!replaced.empty()) {
    note += "\n  replaced when their realization writes them: " + listed(replaced);
  }
  if (!staying.empty()) {
    note += "\n  left as they are, not results of this run: " + listed(staying);
  }
  return note;
}

}  // namespace fracflow::app
