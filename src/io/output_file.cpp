// Output files with checked creation, writing and closing.
#include "io/output_file.hpp"

#include "io/error.hpp"

namespace fracflow::io {

OutputFile::OutputFile(const std::filesystem::path& path, NumberFormat format)
    : name_(path.string()),
      file_(path, std::ios::out | std::ios::trunc | std::ios::binary),
      text_(file_, format) {
  if (!file_) throw Error(ErrorKind::Output, name_ + ": cannot create the output file");
}

OutputFile::~OutputFile() {
  if (!closed_) {
    // A file left open by an early end of the run is still completed; errors here
    // cannot be reported any more, since another error is already on its way.
    text_.flush();
    file_.close();
  }
}

void OutputFile::close() {
  if (closed_) return;
  closed_ = true;
  text_.flush();
  file_.flush();
  const bool written = static_cast<bool>(file_);
  file_.close();
  if (!written || !file_) throw Error(ErrorKind::Output, name_ + ": cannot write the output file");
}

}  // namespace fracflow::io
