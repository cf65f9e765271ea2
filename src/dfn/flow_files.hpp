// The text files of the network flow: node heads, backbone flow data and the face flows
// that open the DFN flow file.
#pragma once

#include <string>

#include "dfn/backbone.hpp"
#include "dfn/face_flows.hpp"
#include "io/output_file.hpp"
#include "network/node.hpp"

namespace fracflow::dfn {

// One line per internal node in node order: x, y and the solved head (fixed, 6 digits).
void writeHeadFile(const std::string& name, const NodeTable& nodes);

// One line per backbone segment: its end points, perm and the magnitude of its flow
// (scientific, 4 digits, width 13).
void writeFlowDataFile(const std::string& name, const Backbone& backbone);

// Opens the DFN flow file: the four face flows and the global flow, then an empty line.
// The file's number format is set here; the file stays open for the particle tracking.
void writeFaceFlows(io::OutputFile& file, const FaceFlows& flows);

}  // namespace fracflow::dfn
