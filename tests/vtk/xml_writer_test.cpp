#include "vtk/xml_writer.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "support/files.hpp"
#include "support/temp_dir.hpp"

namespace fracflow::vtk {
namespace {

using fracflow::testing::readFile;
using fracflow::testing::TempDir;

TEST(VtkXml, DataArraysOfEachTypeOneTupleToALine) {
  TempDir dir;
  const std::string name = (dir.path() / "a.vtu").string();
  XmlFile file(name, "UnstructuredGrid");
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // Unknown values are NaN, written so that VTK's reader takes them as NaN; every other
  // double is written in the fewest digits that read back to the same bits.
  file.dataArray(1, floatArray("head", {0.1, nan, -0.0, 1.0 / 3.0, 5e-324, 100.0}, 3));
  file.dataArray(1, intArray("", {7, -2}));
  file.dataArray(1, byteArray("kind", {0, 1, 2, 2}, 1), 4);
  file.dataArray(1, floatArray("empty", {}));
  file.finish();
  EXPECT_EQ(readFile(name),
            "<?xml version=\"1.0\"?>\n"
            "<VTKFile type=\"UnstructuredGrid\" version=\"1.0\" byte_order=\"LittleEndian\" "
            "header_type=\"UInt64\">\n"
            "  <DataArray type=\"Float64\" Name=\"head\" NumberOfComponents=\"3\" "
            "format=\"ascii\">\n"
            "0.1 nan -0\n"
            "0.3333333333333333 5e-324 100\n"
            "  </DataArray>\n"
            "  <DataArray type=\"Int32\" format=\"ascii\">\n"
            "7\n"
            "-2\n"
            "  </DataArray>\n"
            "  <DataArray type=\"UInt8\" Name=\"kind\" format=\"ascii\">\n"
            "0 1 2 2\n"
            "  </DataArray>\n"
            "  <DataArray type=\"Float64\" Name=\"empty\" format=\"ascii\">\n"
            "  </DataArray>\n"
            "</VTKFile>\n");
}

TEST(VtkXml, AttributeValuesEscapeWhatXmlReserves) {
  EXPECT_EQ(escapeAttribute("Network.0001.vtu"), "Network.0001.vtu");
  EXPECT_EQ(escapeAttribute("a&b<c>\"d'"), "a&amp;b&lt;c&gt;&quot;d&apos;");
}

}  // namespace
}  // namespace fracflow::vtk
