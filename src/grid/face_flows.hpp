// The flows through the four faces of the domain, from the heads of the boundary cells and
// their neighbours: each face flow sums the fluxes into the boundary cells of that face, so a
// positive value is outflow and a negative value inflow.
#pragma once

#include "core/face_flows.hpp"
#include "grid/cell.hpp"
#include "grid/cell_index.hpp"
#include "grid/grid_geometry.hpp"

namespace fracflow::grid {

// Neighbours are recognised with the assembly's 1e-4 relative window, so that every coupling
// of the solved system is counted and the face flows balance whatever the cell size.
FaceFlows computeFaceFlows(const CellTable& table, const GridGeometry& grid,
                           const CellIndex& index);

}  // namespace fracflow::grid
