// The files of the grid flow: the head of every internal cell (grdhead.) and the face flows
// with the global flow and the cell counts (Grd_flow.).
#pragma once

#include <string>

#include "grid/cell.hpp"
#include "grid/cell_index.hpp"
#include "grid/face_flows.hpp"
#include "grid/grid_geometry.hpp"

namespace fracflow::grid {

void writeGridHeadFile(const CellTable& table, const std::string& fileName);
void writeGridFlowFile(const FaceFlows& flows, const CellTable& table, const std::string& fileName);

// After a successful solve: the head file when writeHeadFile (grddt == 1), then the face
// flows and the grid flow file.
void writeGridHeadsAndFaceFlows(const CellTable& table, const GridGeometry& grid,
                                const CellIndex& index, int realizationNumber, bool writeHeadFile);

}  // namespace fracflow::grid
