// The parameter file reader. A value is the first token of its line, ending at white space;
// the whole token must be a number of the field's type (an int field may carry a fraction,
// which is dropped: "2.5" reads 2). Every malformed line is reported with the token found.
#include "options/parameter_file.hpp"

#include <array>
#include <cctype>
#include <charconv>
#include <limits>
#include <system_error>
#include <vector>

#include "io/error.hpp"
#include "io/input_file.hpp"
#include "io/message_text.hpp"

namespace fracflow::options {
namespace {

enum class Kind { Int, Double, Separator };

struct LineLayout {
  const char* name;
  Kind kind;
  int* intField = nullptr;
  double* doubleField = nullptr;
};

LineLayout intLine(const char* name, int& field) { return {name, Kind::Int, &field, nullptr}; }
LineLayout doubleLine(const char* name, double& field) {
  return {name, Kind::Double, nullptr, &field};
}
LineLayout separator() { return {"separator", Kind::Separator}; }

// The 66 lines of the file, in order, bound to the fields of options.
std::vector<LineLayout> fileLayout(RunOptions& o) {
  std::vector<LineLayout> lines = {
      doubleLine("domainL", o.domainL),
      doubleLine("domainW", o.domainW),
      intLine("cellx", o.cellx),
      intLine("celly", o.celly),
      intLine("scellx", o.scellx),
      intLine("ecellx", o.ecellx),
      intLine("scelly", o.scelly),
      intLine("ecelly", o.ecelly),
      intLine("totalparticles", o.totalparticles),
      intLine("bcsize", o.bcsize),
      intLine("bcstep", o.bcstep),
      intLine("numberruns", o.numberruns),
      intLine("meet_fracs", o.meet_fracs),
      doubleLine("fracDen", o.fracDen),
  };
  static constexpr std::array<std::array<const char*, 7>, 3> kSetNames = {{
      {"prob1", "minFracL1", "alpha1", "kappa1", "thetaMean1", "perMean1", "perDev1"},
      {"prob2", "minFracL2", "alpha2", "kappa2", "thetaMean2", "perMean2", "perDev2"},
      {"prob3", "minFracL3", "alpha3", "kappa3", "thetaMean3", "perMean3", "perDev3"},
  }};
  for (std::size_t s = 0; s < 3; ++s) {
    FractureSet& set = o.sets[s];
    const auto& names = kSetNames[s];
    lines.push_back(separator());
    lines.push_back(doubleLine(names[0], set.prob));
    lines.push_back(doubleLine(names[1], set.minFracL));
    lines.push_back(doubleLine(names[2], set.alpha));
    lines.push_back(doubleLine(names[3], set.kappa));
    lines.push_back(doubleLine(names[4], set.thetaMean));
    lines.push_back(doubleLine(names[5], set.perMean));
    lines.push_back(doubleLine(names[6], set.perDev));
  }
  const std::vector<LineLayout> rest = {
      separator(),
      doubleLine("tf1", o.tf1),
      doubleLine("tf2", o.tf2),
      doubleLine("rf1", o.rf1),
      doubleLine("rf2", o.rf2),
      doubleLine("bf1", o.bf1),
      doubleLine("bf2", o.bf2),
      doubleLine("lf1", o.lf1),
      doubleLine("lf2", o.lf2),
      separator(),
      intLine("sink", o.sink),
      doubleLine("sinkLocX", o.sinkLocX),
      doubleLine("sinkLocY", o.sinkLocY),
      doubleLine("sinkRad", o.sinkRad),
      doubleLine("sinkFlux", o.sinkFlux),
      intLine("ntwrk", o.ntwrk),
      intLine("dfncp", o.dfncp),
      intLine("dfnfl", o.dfnfl),
      intLine("bbone", o.bbone),
      intLine("dfndt", o.dfndt),
      intLine("dfntr", o.dfntr),
      intLine("grdcp", o.grdcp),
      intLine("grdfl", o.grdfl),
      intLine("grddt", o.grddt),
      intLine("grdtr", o.grdtr),
      separator(),
      intLine("maxit", o.maxit),
      doubleLine("tol", o.tol),
  };
  lines.insert(lines.end(), rest.begin(), rest.end());
  return lines;
}

// Splits text into lines; a final line break does not start another line, CRLF reads as LF.
std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::size_t skipBlanks(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && isSpace(line[i])) ++i;
  return i;
}

// The value of a line: its first token, which ends at white space or the end of the line.
std::string_view valueToken(std::string_view line) {
  const std::string_view rest = line.substr(skipBlanks(line));
  std::size_t end = 0;
  while (end < rest.size() && !isSpace(rest[end])) ++end;
  return rest.substr(0, end);
}

enum class Problem { None, NotANumber, OutOfRange };

// An int field's token: a sign, digits, and optionally a point with more digits, whose
// fraction is dropped as formatted extraction drops it ("2.5" reads 2).
Problem readInt(std::string_view token, int& out) {
  std::size_t i = 0;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  const std::size_t digitsStart = i;
  while (i < token.size() && isDigit(token[i])) ++i;
  const std::size_t digitsEnd = i;
  if (digitsEnd == digitsStart) return Problem::NotANumber;
  if (i < token.size() && token[i] == '.') {
    ++i;
    while (i < token.size() && isDigit(token[i])) ++i;
  }
  if (i != token.size()) return Problem::NotANumber;
  long long value = 0;
  const auto [ptr, ec] =
      std::from_chars(token.data() + digitsStart, token.data() + digitsEnd, value);
  if (ec == std::errc::result_out_of_range) return Problem::OutOfRange;
  if (ec != std::errc() || ptr != token.data() + digitsEnd) return Problem::NotANumber;
  if (negative) value = -value;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
    return Problem::OutOfRange;
  }
  out = static_cast<int>(value);
  return Problem::None;
}

// A real field's token: a sign, digits with an optional point, an optional exponent.
Problem readDouble(std::string_view token, double& out) {
  std::size_t i = 0;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  const std::size_t mantissaStart = i;
  std::size_t digits = 0;
  while (i < token.size() && isDigit(token[i])) ++i, ++digits;
  if (i < token.size() && token[i] == '.') {
    ++i;
    while (i < token.size() && isDigit(token[i])) ++i, ++digits;
  }
  if (digits == 0) return Problem::NotANumber;
  if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
    ++i;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
    const std::size_t exponentStart = i;
    while (i < token.size() && isDigit(token[i])) ++i;
    if (i == exponentStart) return Problem::NotANumber;
  }
  if (i != token.size()) return Problem::NotANumber;
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(token.data() + mantissaStart, token.data() + i, value,
                                         std::chars_format::general);
  if (ec == std::errc::result_out_of_range) return Problem::OutOfRange;
  if (ec != std::errc() || ptr != token.data() + i) return Problem::NotANumber;
  out = negative ? -value : value;
  return Problem::None;
}

[[noreturn]] void fail(std::string_view fileName, int lineNumber, const char* field,
                       std::string_view what) {
  std::string message(fileName);
  message += ':';
  message += std::to_string(lineNumber);
  message += ": ";
  message += field;
  message += ": ";
  message += what;
  throw Error(ErrorKind::Input, message);
}

// The message of a value that could not be read.
std::string valueProblem(Problem problem, Kind kind, std::string_view token) {
  const bool isInt = kind == Kind::Int;
  if (problem == Problem::OutOfRange) {
    return std::string(isInt ? "integer" : "number") + " out of range, found " +
           io::quotedToken(token);
  }
  return std::string(isInt ? "expected an integer" : "expected a number") + ", found " +
         (token.empty() ? std::string("an empty line") : io::quotedToken(token));
}

}  // namespace

RunOptions parseParameterFile(std::string_view text, std::string_view fileName) {
  RunOptions options;
  const std::vector<LineLayout> layout = fileLayout(options);
  if (text.substr(0, io::kByteOrderMark.size()) == io::kByteOrderMark) {
    text.remove_prefix(io::kByteOrderMark.size());
  }
  const std::vector<std::string_view> lines = splitLines(text);
  for (std::size_t index = 0; index < layout.size(); ++index) {
    const LineLayout& field = layout[index];
    const int lineNumber = static_cast<int>(index) + 1;
    if (index >= lines.size()) {
      fail(fileName, lineNumber, field.name,
           field.kind == Kind::Separator ? "missing separator line, the file ends before it"
                                         : "expected a number, the file ends before this line");
    }
    if (field.kind == Kind::Separator) continue;
    const std::string_view token = valueToken(lines[index]);
    const Problem problem = field.kind == Kind::Int ? readInt(token, *field.intField)
                                                    : readDouble(token, *field.doubleField);
    if (problem != Problem::None) {
      fail(fileName, lineNumber, field.name, valueProblem(problem, field.kind, token));
    }
  }
  return options;
}

std::vector<std::string_view> parameterLineNames() {
  RunOptions unused;
  std::vector<std::string_view> names;
  for (const LineLayout& line : fileLayout(unused)) names.emplace_back(line.name);
  return names;
}

int parameterLine(std::string_view field) {
  RunOptions unused;
  const std::vector<LineLayout> layout = fileLayout(unused);
  for (std::size_t index = 0; index < layout.size(); ++index) {
    if (layout[index].kind != Kind::Separator && field == layout[index].name) {
      return static_cast<int>(index) + 1;
    }
  }
  return 0;
}

std::optional<RunOptions> readParameterFile(const std::string& path, std::string* reason) {
  const io::InputText input = io::readInputFile(path);
  if (!input.text) {
    if (reason != nullptr) *reason = input.reason;
    return std::nullopt;
  }
  return parseParameterFile(*input.text, path);
}

std::optional<std::string_view> validationMessage(const RunOptions& o) {
  const std::array<int, 11> switches = {o.sink,  o.ntwrk, o.dfncp, o.dfnfl, o.bbone, o.dfndt,
                                        o.dfntr, o.grdcp, o.grdfl, o.grddt, o.grdtr};
  for (const int s : switches) {
    if (s > 2) return "One or more of the ouput options are more than 2, please correct";
  }
  for (const int s : switches) {
    if (s < 1) return "One or more of the ouput options are less than 1, please correct";
  }
  if (o.numberruns > 100) return "Number of monteCarlo realizations cannot be more than 100";
  return std::nullopt;
}

void deriveCellSizes(RunOptions& options) {
  options.cellSizeX = options.domainL / static_cast<double>(options.cellx);
  options.cellSizeY = options.domainW / static_cast<double>(options.celly);
}

}  // namespace fracflow::options
