// Cell: one active cell of the fracture continuum. The cell table holds the active boundary
// cells first, then the active internal cells (whose heads the grid flow solves).
#pragma once

#include <vector>

namespace fracflow {

// Faces of a cell (and of the domain), always taken in this order.
enum Face : int { kTop = 0, kRight = 1, kBottom = 2, kLeft = 3 };

struct Cell {
  double center[2] = {0.0, 0.0};
  double faceK[4] = {0.0, 0.0, 0.0, 0.0};
  double kSum[4] = {0.0, 0.0, 0.0, 0.0};
  double crfactor[4] = {0.0, 0.0, 0.0, 0.0};
  double head = 0.0;
};

struct CellTable {
  std::vector<Cell> cells;
  int boundaryCells = 0;
  int internalCells = 0;
  int totalCells() const { return boundaryCells + internalCells; }
};

}  // namespace fracflow
