// Per-realization file names: a prefix, the realization number in four digits with
// leading zeros, and ".txt" (or ".bln" for the three polyline plot files).
#pragma once

#include <string>
#include <string_view>

namespace fracflow::io {

enum class Extension { Txt, Bln };

std::string realizationFileName(std::string_view prefix, int realizationNumber,
                                Extension extension = Extension::Txt);

}  // namespace fracflow::io
