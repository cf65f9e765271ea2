// The files of the grid flow: the head of every internal cell (grdhead.) and the face flows
// with the global flow and the cell counts (Grd_flow.).
#pragma once

#include <filesystem>

#include "core/face_flows.hpp"
#include "grid/cell.hpp"

namespace fracflow::grid {

// One line per internal cell in table order: centre x, y and the solved head (fixed, 6 digits).
void writeHeadFile(const std::filesystem::path& path, const CellTable& table);

// The grid flow file: the four face flows, the global flow, an empty line and the cell counts.
void writeFlowFile(const std::filesystem::path& path, const FaceFlows& flows,
                   const CellTable& table);

}  // namespace fracflow::grid
