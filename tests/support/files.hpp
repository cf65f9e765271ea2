// Whole files as text, and the file names of a folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace fracflow::testing {

// The bytes of a file; throws when it cannot be read.
std::string readFile(const std::filesystem::path& path);

// Replaces the file with text, byte for byte; throws when it cannot be written.
void writeFile(const std::filesystem::path& path, const std::string& text);

// The regular files of folder (names only), sorted.
std::vector<std::string> fileNames(const std::filesystem::path& folder);

}  // namespace fracflow::testing
