// Memory from sysconf, free space from statvfs.
#include "io/machine_resources.hpp"

#include <sys/statvfs.h>
#include <unistd.h>

#include <filesystem>

#include "io/number_format.hpp"

namespace fracflow::io {

std::optional<std::uint64_t> physicalMemoryBytes() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || pageSize <= 0) return std::nullopt;
  return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

std::optional<std::uint64_t> freeSpaceFor(const std::string& path) {
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (folder.empty()) folder = ".";
  struct statvfs fs {};
  if (statvfs(folder.c_str(), &fs) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(fs.f_bavail) * static_cast<std::uint64_t>(fs.f_frsize);
}

std::string formatBytes(std::uint64_t bytes) {
  struct Unit {
    double size;
    const char* name;
  };
  constexpr Unit kUnits[] = {{1e12, " TB"}, {1e9, " GB"}, {1e6, " MB"}, {1e3, " kB"}};
  const auto value = static_cast<double>(bytes);
  for (const Unit& unit : kUnits) {
    if (value >= unit.size)
      return formatNumber(value / unit.size, NumberFormat::fixed(1)) + unit.name;
  }
  return formatInteger(static_cast<long long>(bytes)) + (bytes == 1 ? " byte" : " bytes");
}

}  // namespace fracflow::io
