// The flows through the four faces of the domain, from the heads of the boundary cells and
// their neighbours: each face flow sums the fluxes into the boundary cells of that face, so a
// positive value is outflow and a negative value inflow.
#pragma once

#include <cmath>

#include "grid/cell.hpp"
#include "grid/cell_index.hpp"
#include "grid/grid_geometry.hpp"

namespace fracflow::grid {

struct FaceFlows {
  double top = 0.0;
  double right = 0.0;
  double bottom = 0.0;
  double left = 0.0;

  double global() const {
    return (std::abs(top) + std::abs(right) + std::abs(bottom) + std::abs(left)) / 2;
  }
};

// Neighbours are recognised with the assembly's 1e-4 relative window, so that every coupling
// of the solved system is counted and the face flows balance whatever the cell size.
FaceFlows computeFaceFlows(const CellTable& table, const GridGeometry& grid,
                           const CellIndex& index);

}  // namespace fracflow::grid
