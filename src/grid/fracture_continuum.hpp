// The fracture continuum of a realization: the segments mapped onto the grid. Finds the
// crossings, counts the active cells (with the console line) and runs both mapping passes.
#pragma once

#include "grid/boundary_head.hpp"
#include "grid/cell.hpp"
#include "grid/grid_geometry.hpp"
#include "io/text_stream.hpp"
#include "network/segment.hpp"

namespace fracflow::grid {

// Takes the segments over; they are released once mapped.
CellTable mapFractureContinuum(const GridGeometry& grid, const FaceHeads& heads,
                               SegmentTable gridSegments, io::TextStream& console);

}  // namespace fracflow::grid
