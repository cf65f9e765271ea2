#include "vtk/collection.hpp"

#include <gtest/gtest.h>

#include "support/files.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::vtk {
namespace {

using fracflow::testing::readFile;
using fracflow::testing::TempDir;

TEST(VtkCollection, OneDataSetPerTimeStepInTheOrderGiven) {
  TempDir dir;
  const std::string name = (dir.path() / "Network.pvd").string();
  writeCollection(name, {{1, "Network.0001.vtu"}, {3, "Network.0003.vtu"}});
  EXPECT_EQ(readFile(name),
            "<?xml version=\"1.0\"?>\n"
            "<VTKFile type=\"Collection\" version=\"1.0\" byte_order=\"LittleEndian\" "
            "header_type=\"UInt64\">\n"
            "  <Collection>\n"
            "    <DataSet timestep=\"1\" group=\"\" part=\"0\" file=\"Network.0001.vtu\"/>\n"
            "    <DataSet timestep=\"3\" group=\"\" part=\"0\" file=\"Network.0003.vtu\"/>\n"
            "  </Collection>\n"
            "</VTKFile>\n");
  writeCollection(name, {});
  EXPECT_EQ(readFile(name).find("<DataSet"), std::string::npos);
}

}  // namespace
}  // namespace fracflow::vtk
