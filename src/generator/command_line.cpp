// Parsing fracgen's arguments: options in either "--name value" or "--name=value" form.
#include "generator/command_line.hpp"

#include <charconv>
#include <optional>
#include <system_error>

#include "io/error.hpp"

namespace fracflow::generator {
namespace {

[[noreturn]] void fail(const std::string& what) { throw Error(ErrorKind::Input, what); }

std::uint64_t parseSeed(std::string_view text) {
  std::uint64_t value = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || ptr != text.data() + text.size()) {
    fail("--seed expects a whole number from 0 to 18446744073709551615, found '" +
         std::string(text) + "'");
  }
  return value;
}

}  // namespace

GeneratorSettings parseCommandLine(const std::vector<std::string_view>& arguments) {
  GeneratorSettings settings;
  bool haveFile = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    // The value of an option: after '=' or in the next argument.
    auto valueOf = [&](std::string_view name) -> std::optional<std::string_view> {
      if (argument == name) {
        if (i + 1 >= arguments.size()) fail(std::string(name) + " expects a value");
        return arguments[++i];
      }
      if (argument.size() > name.size() && argument.substr(0, name.size()) == name &&
          argument[name.size()] == '=') {
        return argument.substr(name.size() + 1);
      }
      return std::nullopt;
    };
    if (argument == "--help" || argument == "-h") {
      settings.help = true;
    } else if (argument == "--version") {
      settings.version = true;
    } else if (const auto seed = valueOf("--seed")) {
      settings.seed = parseSeed(*seed);
    } else if (const auto dir = valueOf("--output-dir")) {
      if (dir->empty()) fail("--output-dir expects a folder name");
      settings.outputDir = std::string(*dir);
    } else if (!argument.empty() && argument[0] == '-') {
      fail("unknown argument '" + std::string(argument) + "'");
    } else if (haveFile) {
      fail("only one parameter file can be given, found '" + settings.parameterFile + "' and '" +
           std::string(argument) + "'");
    } else {
      settings.parameterFile = std::string(argument);
      haveFile = true;
    }
  }
  return settings;
}

}  // namespace fracflow::generator
