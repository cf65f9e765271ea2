// Collection files.
#include "vtk/collection.hpp"

#include "io/number_format.hpp"
#include "vtk/xml_writer.hpp"

namespace fracflow::vtk {

void writeCollection(const std::string& fileName, const std::vector<CollectionEntry>& entries) {
  XmlFile file(fileName, "Collection");
  file.open(1, "Collection");
  for (const CollectionEntry& entry : entries) {
    file.emptyElement(2, "DataSet",
                      "timestep=\"" + io::formatInteger(entry.timestep) +
                          "\" group=\"\" part=\"0\" file=\"" + escapeAttribute(entry.file) + "\"");
  }
  file.close(1, "Collection");
  file.finish();
}

}  // namespace fracflow::vtk
