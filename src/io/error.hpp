// The project's one error type for input and output failures. Its message says which file
// (and line, where there is one), what was expected and what was found; main maps the
// kind to the exit status.
#pragma once

#include <stdexcept>
#include <string>

namespace fracflow {

enum class ErrorKind {
  Input,   // the parameter file or the command line: the run cannot start (exit 2)
  Output,  // an output file could not be created or written: the run ends (exit 1)
};

class Error : public std::runtime_error {
 public:
  Error(ErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
  ErrorKind kind() const { return kind_; }

 private:
  ErrorKind kind_;
};

}  // namespace fracflow
