// One per-realization output file: created (replacing an old one) when constructed, written
// through a TextStream in the file's number format, checked when closed. A file that
// cannot be created or written raises an Output error naming it, never a silent loss.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "io/text_stream.hpp"

namespace fracflow::io {

class OutputFile {
 public:
  // Errors name the file by its path as given.
  explicit OutputFile(const std::filesystem::path& path, NumberFormat format = {});
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  TextStream& text() { return text_; }
  template <typename... Parts>
  void write(const Parts&... parts) {
    text_.write(parts...);
  }
  template <typename... Parts>
  void line(const Parts&... parts) {
    text_.line(parts...);
  }
  void setFormat(NumberFormat format) { text_.setFormat(format); }

  // Writes what is buffered, closes the file and raises an Output error if anything failed.
  void close();
  const std::string& name() const { return name_; }

 private:
  std::string name_;
  std::ofstream file_;
  TextStream text_;
  bool closed_ = false;
};

}  // namespace fracflow::io
