#include "io/file_names.hpp"

#include <gtest/gtest.h>

namespace fracflow::io {
namespace {

TEST(FileNames, PrefixFourDigitNumberAndExtension) {
  EXPECT_EQ(realizationFileName("DFN_flow.", 1), "DFN_flow.0001.txt");
  EXPECT_EQ(realizationFileName("Backbone.", 7, Extension::Bln), "Backbone.0007.bln");
  EXPECT_EQ(realizationFileName("a.", 100), "a.0100.txt");
  EXPECT_EQ(realizationFileName("x.", 12345), "x.12345.txt");
  EXPECT_EQ(realizationFileName("Network.", 3, Extension::Vtu), "Network.0003.vtu");
  EXPECT_EQ(realizationFileName("Grid.", 42, Extension::Vti), "Grid.0042.vti");
}

}  // namespace
}  // namespace fracflow::io
