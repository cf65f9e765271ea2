// The face-flow block that opens the DFN and the grid flow files: the flow through each face
// of the domain, the global flow and an empty line, in fixed notation with nine digits.
#pragma once

#include <string_view>

#include "core/face_flows.hpp"
#include "io/output_file.hpp"

namespace fracflow::io {

// globalLabel is the whole label of the fifth line, for example "Global DFN Flow          = ".
void writeFaceFlowLines(OutputFile& file, const FaceFlows& flows, std::string_view globalLabel);

}  // namespace fracflow::io
