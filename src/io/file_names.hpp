// Per-realization file names: a prefix, the realization number in four digits with
// leading zeros, and ".txt" (or ".bln" for the three polyline plot files, ".vtu" and ".vti"
// for the ParaView files of fracflow --vtk). Every file a realization reads or writes through
// its folders is named here, from the one table of prefixes below.
#pragma once

#include <string>
#include <string_view>

namespace fracflow::io {

enum class Extension { Txt, Bln, Vtu, Vti };

std::string realizationFileName(std::string_view prefix, int realizationNumber,
                                Extension extension = Extension::Txt);

// The files of one realization: the network data file it reads and every file it may write.
enum class RealizationFile {
  NetworkData,    // Network_data.   read
  Fractures,      // Fractures.      .bln
  Segments,       // Segments.       .bln
  DfnMatrix,      // a.
  DfnRhs,         // b.
  NoConDfn,       // NoConDFN.
  Backbone,       // Backbone.       .bln
  DfnHeads,       // dfnhead.
  FlowData,       // FlowData.
  DfnFlow,        // DFN_flow.
  LastLocations,  // Particles_last_location.
  DfnCurve,       // DFN_bcrv.
  GridMatrix,     // ag.
  GridRhs,        // bg.
  NoConGrid,      // NoConGrd.
  GridHeads,      // grdhead.
  GridFlow,       // Grd_flow.
  GridCurve,      // Grd_bcrv.
};

std::string_view filePrefix(RealizationFile file);
Extension fileExtension(RealizationFile file);

// For example realizationFileName(RealizationFile::Backbone, 7) is "Backbone.0007.bln".
std::string realizationFileName(RealizationFile file, int realizationNumber);

}  // namespace fracflow::io
