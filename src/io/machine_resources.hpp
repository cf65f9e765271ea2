// What the machine offers a run: its memory and the free space of a file system, asked
// before a run or a file would need more than there is; and byte counts as text.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace fracflow::io {

// The physical memory of the machine in bytes, or nullopt when it cannot be told.
std::optional<std::uint64_t> physicalMemoryBytes();

// The bytes an unprivileged writer may still use on the file system that holds the folder
// of the file path (the working directory for a bare name), or nullopt when it cannot be
// told.
std::optional<std::uint64_t> freeSpaceFor(const std::string& path);

// The free-space question, as a value, so that a test can answer it.
using FreeSpaceQuery = std::function<std::optional<std::uint64_t>(const std::string& path)>;

// "1.2 GB", "340.5 MB", "17 bytes": one decimal in the largest decimal unit that fits.
std::string formatBytes(std::uint64_t bytes);

}  // namespace fracflow::io
