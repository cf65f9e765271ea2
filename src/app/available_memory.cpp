// Read from /proc/meminfo (MemAvailable) and the cgroup v2 files memory.max and
// memory.current of this process's group.
#include "app/available_memory.hpp"

#include <algorithm>
#include <fstream>
#include <limits>
#include <optional>
#include <string>

namespace fracflow::app {
namespace {

std::optional<double> memAvailable() {
  std::ifstream meminfo("/proc/meminfo");
  std::string key;
  double kib = 0.0;
  std::string unit;
  while (meminfo >> key >> kib >> unit) {
    if (key == "MemAvailable:") return kib * 1024.0;
  }
  return std::nullopt;
}

std::optional<double> readBytes(const std::string& path) {
  std::ifstream file(path);
  std::string text;
  if (!(file >> text) || text == "max") return std::nullopt;
  try {
    return std::stod(text);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<double> cgroupRoom() {
  // "0::/path" names the group of this process under the unified hierarchy.
  std::ifstream self("/proc/self/cgroup");
  std::string line;
  while (std::getline(self, line)) {
    if (line.rfind("0::", 0) != 0) continue;
    const std::string folder = "/sys/fs/cgroup" + line.substr(3);
    const std::optional<double> limit = readBytes(folder + "/memory.max");
    const std::optional<double> used = readBytes(folder + "/memory.current");
    if (limit && used) return std::max(*limit - *used, 0.0);
  }
  return std::nullopt;
}

}  // namespace

double availableMemoryBytes() {
  double bytes = std::numeric_limits<double>::infinity();
  if (const auto available = memAvailable()) bytes = *available;
  if (const auto room = cgroupRoom()) bytes = std::min(bytes, *room);
  return bytes;
}

}  // namespace fracflow::app
