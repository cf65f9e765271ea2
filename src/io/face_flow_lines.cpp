#include "io/face_flow_lines.hpp"

namespace fracflow::io {

void writeFaceFlowLines(OutputFile& file, const FaceFlows& flows, std::string_view globalLabel) {
  file.setFormat(NumberFormat::fixed(9));
  file.line("Flow Through Top Face    = ", flows.top);
  file.line("Flow Through Right Face  = ", flows.right);
  file.line("Flow Through Bottom Face = ", flows.bottom);
  file.line("Flow Through Left Face   = ", flows.left);
  file.line(globalLabel, flows.global());
  file.line();
}

}  // namespace fracflow::io
