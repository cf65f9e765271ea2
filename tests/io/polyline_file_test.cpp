#include "io/polyline_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fracflow::io {
namespace {

TEST(PolylineFile, WritesEachSegmentAsATwoPointPolyline) {
  const auto name = (std::filesystem::temp_directory_path() /
                     ("fracflow_polyline_" +
                      std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".bln"))
                        .string();
  writePolylineFile(name, {{1.0, 0.0, 2.5, 10.0, 1.0 / 3.0}, {7.0, -1.0, 0.0, 3.25, 1e6}});
  std::ifstream in(name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  in.close();
  std::filesystem::remove(name);
  EXPECT_EQ(text.str(),
            "2\n   0.000000, 2.500000\n   10.000000, 0.333333\n"
            "2\n   -1.000000, 0.000000\n   3.250000, 1000000.000000\n");
}

}  // namespace
}  // namespace fracflow::io
