#include "io/polyline_file.hpp"

#include <gtest/gtest.h>

#include "support/run_fracflow.hpp"

namespace fracflow::io {
namespace {

TEST(PolylineFile, WritesEachSegmentAsATwoPointPolyline) {
  const fracflow::testing::TempDir dir;
  const auto name = dir.path() / "Backbone.0001.bln";
  writePolylineFile(name.string(), {{1.0, 0.0, 2.5, 10.0, 1.0 / 3.0}, {7.0, -1.0, 0.0, 3.25, 1e6}});
  EXPECT_EQ(fracflow::testing::readFile(name),
            "2\n   0.000000, 2.500000\n   10.000000, 0.333333\n"
            "2\n   -1.000000, 0.000000\n   3.250000, 1000000.000000\n");
}

}  // namespace
}  // namespace fracflow::io
