#include "io/file_names.hpp"

#include "io/number_format.hpp"

namespace fracflow::io {
namespace {

std::string_view extensionText(Extension extension) {
  switch (extension) {
    case Extension::Bln:
      return ".bln";
    case Extension::Vtu:
      return ".vtu";
    case Extension::Vti:
      return ".vti";
    case Extension::Txt:
      break;
  }
  return ".txt";
}

}  // namespace

std::string realizationFileName(std::string_view prefix, int realizationNumber,
                                Extension extension) {
  std::string name(prefix);
  std::string digits = formatInteger(
      realizationNumber < 0 ? -static_cast<long long>(realizationNumber) : realizationNumber);
  // As printf's "%04d": at least four digits, the sign counting towards the width.
  const std::size_t width = realizationNumber < 0 ? 3 : 4;
  if (realizationNumber < 0) name.push_back('-');
  if (digits.size() < width) name.append(width - digits.size(), '0');
  name += digits;
  name += extensionText(extension);
  return name;
}

}  // namespace fracflow::io
