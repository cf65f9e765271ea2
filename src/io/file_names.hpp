// Per-realization file names: a prefix, the realization number in four digits with
// leading zeros, and ".txt" (or ".bln" for the three polyline plot files, ".vtu" and ".vti"
// for the ParaView files of fracflow --vtk).
#pragma once

#include <string>
#include <string_view>

namespace fracflow::io {

enum class Extension { Txt, Bln, Vtu, Vti };

std::string realizationFileName(std::string_view prefix, int realizationNumber,
                                Extension extension = Extension::Txt);

}  // namespace fracflow::io
