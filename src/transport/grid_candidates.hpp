// The downhill candidates of a grid cell: its neighbours with a lower head across a face
// that carries flow, in cell-table order. Neighbours are recognised by the grid's relative
// window about the shifted centre, so that cell sizes that are not binary fractions (whose
// centres are one rounding away from the shifted values) still find their neighbours.
#pragma once

#include <vector>

#include "grid/cell.hpp"
#include "grid/cell_index.hpp"

namespace fracflow::transport {

// The point where the neighbour across face f of the position (x, y) has its centre.
inline void shiftedCentre(int face, double x, double y, double cellSizeX, double cellSizeY,
                          double& px, double& py) {
  px = x;
  py = y;
  switch (face) {
    case kTop:
      py = y + cellSizeY;
      break;
    case kRight:
      px = x + cellSizeX;
      break;
    case kBottom:
      py = y - cellSizeY;
      break;
    default:
      px = x - cellSizeX;
      break;
  }
}

// The flux from cell p to its neighbour q across p's face f.
double gridFlux(const Cell& p, const Cell& q, int face, double cellSizeX, double cellSizeY);

struct GridCandidate {
  double flow = 0.0;      // gridFlux from the current cell
  double crMean = 0.0;    // the mean of the two crfactor values of the crossed face
  double distance = 0.0;  // from the gathering position to the neighbour's centre
  int destinationCell = -1;
};

// Replaces out with the candidates of cell p for a particle at (x, y) (p's centre) and
// returns their flows added in order. Each cell q, in table order, is classed by the first
// direction (above, right, below, left) whose window holds its centre; it is a candidate when
// p's head is strictly above q's and the two facing faceK values do not sum to 0.
double gatherGridCandidates(const std::vector<Cell>& cells, const grid::CellIndex& index,
                            double cellSizeX, double cellSizeY, int p, double x, double y,
                            std::vector<GridCandidate>& out, std::vector<int>& scratch);

}  // namespace fracflow::transport
