// The fracture-continuum flow of a realization: the segments mapped onto the grid, the grid
// flow system, the solve, the head file and the face flows.
#pragma once

#include "app/realization.hpp"
#include "core/face_flows.hpp"
#include "grid/cell.hpp"
#include "network/segment.hpp"
#include "options/run_options.hpp"
#include "solvers/solve_report.hpp"

namespace fracflow::app {

// What the grid flow leaves for the particles and the grid flow file.
struct GridFlow {
  solvers::SolveReport solve;
  CellTable cells;      // the mapped cells, with the solved heads when the solve converged
  FaceFlows faceFlows;  // set only when the solve converged
};

// Runs the grid flow (call it only when grdcp is 1), taking the realization's segments over.
// When BiCG does not converge, NoConGrd. is written and nothing else: the run must end.
GridFlow runGridFlow(const RunOptions& options, Realization& realization,
                     SegmentTable gridSegments);

}  // namespace fracflow::app
