// Input files are looked at before they are opened and opened without blocking, so that a
// FIFO with no writer is refused instead of waited on.
#include "io/input_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <system_error>

namespace fracflow::io {
namespace {

std::string systemReason(int error) { return std::generic_category().message(error); }

// Why a file of this kind cannot be read as text; empty for a regular file.
std::string kindProblem(const struct stat& status) {
  if (S_ISREG(status.st_mode)) return {};
  if (S_ISDIR(status.st_mode)) return "is a directory, not a file";
  if (S_ISFIFO(status.st_mode)) return "is a FIFO (named pipe), not a regular file";
  if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) return "is a device, not a regular file";
  if (S_ISSOCK(status.st_mode)) return "is a socket, not a regular file";
  return "is not a regular file";
}

// Closes the descriptor on every path out of readInputFile.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

InputText readInputFile(const std::string& path) {
  InputText input;
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) {
    input.reason = systemReason(errno);
    return input;
  }
  if (std::string problem = kindProblem(status); !problem.empty()) {
    input.reason = std::move(problem);
    return input;
  }
  // The file may have been replaced since: look again at what was opened.
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) {
    input.reason = systemReason(errno);
    return input;
  }
  if (::fstat(file.get(), &status) != 0) {
    input.reason = systemReason(errno);
    return input;
  }
  if (std::string problem = kindProblem(status); !problem.empty()) {
    input.reason = std::move(problem);
    return input;
  }
  std::string text;
  if (status.st_size > 0) text.reserve(static_cast<std::size_t>(status.st_size));
  std::array<char, 1 << 16> chunk{};
  for (;;) {
    const ssize_t got = ::read(file.get(), chunk.data(), chunk.size());
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      input.reason = systemReason(errno);
      return input;
    }
    text.append(chunk.data(), static_cast<std::size_t>(got));
  }
  input.text = std::move(text);
  return input;
}

}  // namespace fracflow::io
