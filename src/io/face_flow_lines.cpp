#include "io/face_flow_lines.hpp"

namespace fracflow::io {

void writeFaceFlowLines(OutputFile& file, double top, double right, double bottom, double left,
                        std::string_view globalLabel, double global) {
  file.setFormat(NumberFormat::fixed(9));
  file.line("Flow Through Top Face    = ", top);
  file.line("Flow Through Right Face  = ", right);
  file.line("Flow Through Bottom Face = ", bottom);
  file.line("Flow Through Left Face   = ", left);
  file.line(globalLabel, global);
  file.line();
}

}  // namespace fracflow::io
