// Reading an input file whole, as text. Only a regular file is read: a FIFO or a device could
// hold the run forever, and a directory holds no text. When the file cannot be read, the
// reason is the system's own words ("No such file or directory", "Permission denied").
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fracflow::io {

struct InputText {
  std::optional<std::string> text;  // the bytes of the file, when it could be read
  std::string reason;               // why it could not be read, otherwise
};

InputText readInputFile(const std::string& path);

// The UTF-8 byte-order mark some editors write at the start of a text file.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace fracflow::io
