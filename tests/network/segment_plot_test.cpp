// Segment plots through the polyline writer.
#include "network/segment_plot.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/files.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::network {
namespace {

using fracflow::testing::readFile;

TEST(SegmentPlot, WritesTwoPointsPerSegmentInSixFixedDigits) {
  const fracflow::testing::TempDir dir;
  const auto path = dir.path() / "Segments.0001.bln";
  writeSegmentPlot(path,
                   {{0.7, 0.0, 12.5, 100.0, 1.0 / 3.0}, {1.0, -0.0000004, 2e-7, 123456.789, 5.0}});
  EXPECT_EQ(readFile(path),
            "2\n"
            "   0.000000, 12.500000\n"
            "   100.000000, 0.333333\n"
            "2\n"
            "   -0.000000, 0.000000\n"
            "   123456.789000, 5.000000\n");

  writeSegmentPlot(path, {});
  EXPECT_EQ(readFile(path), "");
}

}  // namespace
}  // namespace fracflow::network
