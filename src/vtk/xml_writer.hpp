// The parts every VTK XML file shares: the file header and footer, and data arrays written
// as ASCII, one tuple per line, doubles in their shortest round-trip form (so they read back
// to the same bits; NaN is written "nan", which VTK's reader takes as NaN).
#pragma once

#include <string>
#include <string_view>

#include "io/output_file.hpp"
#include "vtk/data_array.hpp"

namespace fracflow::vtk {

// Opens name (replacing an old file) for a VTK XML file of the given data set type.
class XmlFile {
 public:
  XmlFile(std::string name, std::string_view dataSetType);

  // <tag attributes> on its own line at the given depth of indentation.
  void open(int depth, std::string_view tag, std::string_view attributes = {});
  void close(int depth, std::string_view tag);
  void emptyElement(int depth, std::string_view tag, std::string_view attributes);
  // The array's values, valuesPerLine to a line (0: one tuple to a line).
  void dataArray(int depth, const DataArray& array, int valuesPerLine = 0);

  // Closes the VTKFile element and the file; raises an Output error naming the file when
  // it could not be written.
  void finish();
  io::OutputFile& file() { return file_; }

 private:
  void indent(int depth);

  io::OutputFile file_;
};

// The text of an attribute value with the characters XML reserves escaped.
std::string escapeAttribute(std::string_view text);

}  // namespace fracflow::vtk
