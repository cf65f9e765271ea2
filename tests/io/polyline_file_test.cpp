#include "io/polyline_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fracflow::io {
namespace {

std::string slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(PolylineFile, WritesTwoPointsPerSegmentInSixFixedDigits) {
  const auto dir = std::filesystem::temp_directory_path() / "fracflow_polyline_test";
  std::filesystem::create_directories(dir);
  const auto path = dir / "Segments.0001.bln";
  writePolylineFile(path.string(),
                    {{0.7, 0.0, 12.5, 100.0, 1.0 / 3.0}, {1.0, -0.0000004, 2e-7, 123456.789, 5.0}});
  EXPECT_EQ(slurp(path),
            "2\n"
            "   0.000000, 12.500000\n"
            "   100.000000, 0.333333\n"
            "2\n"
            "   -0.000000, 0.000000\n"
            "   123456.789000, 5.000000\n");

  writePolylineFile(path.string(), {});
  EXPECT_EQ(slurp(path), "");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace fracflow::io
