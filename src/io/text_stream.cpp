// Buffered formatted output.
#include "io/text_stream.hpp"

namespace fracflow::io {

TextStream::TextStream(std::ostream& sink, NumberFormat format) : sink_(sink), format_(format) {
  buffer_.reserve(kChunk + 1024);
}

TextStream::~TextStream() { flush(); }

void TextStream::flush() {
  if (!buffer_.empty()) {
    sink_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
  }
}

}  // namespace fracflow::io
