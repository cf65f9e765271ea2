// The text files of the network flow: node heads, backbone flow data and the DFN flow file.
#pragma once

#include <filesystem>
#include <optional>

#include "core/face_flows.hpp"
#include "dfn/backbone.hpp"
#include "network/node.hpp"

namespace fracflow::dfn {

// One line per internal node in node order: x, y and the solved head (fixed, 6 digits).
void writeHeadFile(const std::filesystem::path& path, const NodeTable& nodes);

// One line per backbone segment: its end points, perm and the magnitude of its flow
// (scientific, 4 digits, width 13).
void writeFlowDataFile(const std::filesystem::path& path, const Backbone& backbone);

// The DFN flow file: the four face flows and the global flow, then an empty line. When particles
// were tracked on the backbone, the number of injection segments ("Transp = ") and the node
// counts follow.
void writeFlowFile(const std::filesystem::path& path, const FaceFlows& flows,
                   const NodeTable& nodes, std::optional<int> injectionSegments);

}  // namespace fracflow::dfn
