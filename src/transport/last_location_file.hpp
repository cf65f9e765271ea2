// The particles' last-location file of the network walk: per particle its injection point,
// the point where it stopped and its travel time, in fixed columns of width 14.
#pragma once

#include <filesystem>

#include "io/output_file.hpp"

namespace fracflow::transport {

class LastLocationFile {
 public:
  explicit LastLocationFile(const std::filesystem::path& path);

  // The first two columns of a particle's line, written when it is injected.
  void writeStart(double x, double y);
  // The last three columns, written when its walk ends; they finish the line.
  void writeStop(double x, double y, double t);
  void close() { file_.close(); }

 private:
  io::OutputFile file_;
};

}  // namespace fracflow::transport
