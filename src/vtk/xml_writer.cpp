// VTK XML file parts.
#include "vtk/xml_writer.hpp"

#include <cstddef>
#include <utility>

#include "io/check.hpp"

namespace fracflow::vtk {
namespace {

template <typename Value>
void writeValues(io::OutputFile& file, const std::vector<Value>& values, std::size_t perLine) {
  for (std::size_t k = 0; k < values.size(); ++k) {
    file.write(values[k]);
    file.write((k + 1) % perLine == 0 || k + 1 == values.size() ? '\n' : ' ');
  }
}

std::string_view typeName(const DataArray& array) {
  if (std::holds_alternative<std::vector<double>>(array.values)) return "Float64";
  if (std::holds_alternative<std::vector<std::int32_t>>(array.values)) return "Int32";
  return "UInt8";
}

}  // namespace

XmlFile::XmlFile(std::string name, std::string_view dataSetType)
    : file_(std::move(name), io::NumberFormat::roundTrip()) {
  file_.line("<?xml version=\"1.0\"?>");
  file_.line("<VTKFile type=\"", dataSetType,
             "\" version=\"1.0\" byte_order=\"LittleEndian\" header_type=\"UInt64\">");
}

void XmlFile::indent(int depth) {
  file_.write(std::string(static_cast<std::size_t>(2 * depth), ' '));
}

void XmlFile::open(int depth, std::string_view tag, std::string_view attributes) {
  indent(depth);
  file_.line("<", tag, attributes.empty() ? "" : " ", attributes, ">");
}

void XmlFile::close(int depth, std::string_view tag) {
  indent(depth);
  file_.line("</", tag, ">");
}

void XmlFile::emptyElement(int depth, std::string_view tag, std::string_view attributes) {
  indent(depth);
  file_.line("<", tag, " ", attributes, "/>");
}

void XmlFile::dataArray(int depth, const DataArray& array, int valuesPerLine) {
  FRACFLOW_CHECK(array.components > 0 &&
                 array.valueCount() % static_cast<std::size_t>(array.components) == 0);
  indent(depth);
  file_.write("<DataArray type=\"", typeName(array), "\"");
  if (!array.name.empty()) file_.write(" Name=\"", escapeAttribute(array.name), "\"");
  if (array.components != 1) file_.write(" NumberOfComponents=\"", array.components, "\"");
  file_.line(" format=\"ascii\">");
  const auto perLine =
      static_cast<std::size_t>(valuesPerLine > 0 ? valuesPerLine : array.components);
  std::visit([&](const auto& values) { writeValues(file_, values, perLine); }, array.values);
  close(depth, "DataArray");
}

void XmlFile::finish() {
  file_.line("</VTKFile>");
  file_.close();
}

std::string escapeAttribute(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

}  // namespace fracflow::vtk
