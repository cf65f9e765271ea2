// The mapping rule of the fracture continuum: a crossing of a cell face adds the segment's
// permeability, weighted by its orientation factor, to that face of the cell's record.
#pragma once

#include "grid/cell.hpp"
#include "grid/grid_geometry.hpp"
#include "network/segment.hpp"

namespace fracflow::grid {

// True when the crossing of face `face` of the cell centred at (cx, cy) passes through the
// cell (full orientation factor), false for a short crossing (the factor of the direction
// component normal to the face).
bool isPassThroughCrossing(const GridGeometry& grid, double cx, double cy, const Segment& segment,
                           int face);

// Maps one crossing of face `face` of cell (i, j) by the segment onto the cell's record.
void mapCrossing(Cell& cell, const GridGeometry& grid, int i, int j, const Segment& segment,
                 int face);

}  // namespace fracflow::grid
