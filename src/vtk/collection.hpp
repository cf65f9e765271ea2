// A ParaView data collection (.pvd): a series of data set files, one per time step, that
// ParaView opens as one data set whose time runs over the steps.
#pragma once

#include <string>
#include <vector>

namespace fracflow::vtk {

struct CollectionEntry {
  int timestep = 0;
  std::string file;  // relative to the collection file's folder
};

// Writes the entries, in the order given, to fileName through the checked output path.
void writeCollection(const std::string& fileName, const std::vector<CollectionEntry>& entries);

}  // namespace fracflow::vtk
