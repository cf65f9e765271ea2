#include "io/file_names.hpp"

#include "io/number_format.hpp"

namespace fracflow::io {
namespace {

std::string_view extensionText(Extension extension) {
  switch (extension) {
    case Extension::Bln:
      return ".bln";
    case Extension::Vtu:
      return ".vtu";
    case Extension::Vti:
      return ".vti";
    case Extension::Txt:
      break;
  }
  return ".txt";
}

}  // namespace

std::string realizationFileName(std::string_view prefix, int realizationNumber,
                                Extension extension) {
  std::string name(prefix);
  std::string digits = formatInteger(
      realizationNumber < 0 ? -static_cast<long long>(realizationNumber) : realizationNumber);
  // As printf's "%04d": at least four digits, the sign counting towards the width.
  const std::size_t width = realizationNumber < 0 ? 3 : 4;
  if (realizationNumber < 0) name.push_back('-');
  if (digits.size() < width) name.append(width - digits.size(), '0');
  name += digits;
  name += extensionText(extension);
  return name;
}

}  // namespace fracflow::io

namespace fracflow::io {

std::string_view filePrefix(RealizationFile file) {
  switch (file) {
    case RealizationFile::NetworkData:
      return "Network_data.";
    case RealizationFile::Fractures:
      return "Fractures.";
    case RealizationFile::Segments:
      return "Segments.";
    case RealizationFile::DfnMatrix:
      return "a.";
    case RealizationFile::DfnRhs:
      return "b.";
    case RealizationFile::NoConDfn:
      return "NoConDFN.";
    case RealizationFile::Backbone:
      return "Backbone.";
    case RealizationFile::DfnHeads:
      return "dfnhead.";
    case RealizationFile::FlowData:
      return "FlowData.";
    case RealizationFile::DfnFlow:
      return "DFN_flow.";
    case RealizationFile::LastLocations:
      return "Particles_last_location.";
    case RealizationFile::DfnCurve:
      return "DFN_bcrv.";
    case RealizationFile::GridMatrix:
      return "ag.";
    case RealizationFile::GridRhs:
      return "bg.";
    case RealizationFile::NoConGrid:
      return "NoConGrd.";
    case RealizationFile::GridHeads:
      return "grdhead.";
    case RealizationFile::GridFlow:
      return "Grd_flow.";
    case RealizationFile::GridCurve:
      return "Grd_bcrv.";
  }
  return "?";
}

Extension fileExtension(RealizationFile file) {
  switch (file) {
    case RealizationFile::Fractures:
    case RealizationFile::Segments:
    case RealizationFile::Backbone:
      return Extension::Bln;
    default:
      return Extension::Txt;
  }
}

std::string realizationFileName(RealizationFile file, int realizationNumber) {
  return realizationFileName(filePrefix(file), realizationNumber, fileExtension(file));
}

}  // namespace fracflow::io
