// The grid injection table: the active cells lying wholly inside the injection window that
// carry flow, each drawn with a chance proportional to its throughflow.
#pragma once

#include <vector>

#include "grid/cell.hpp"
#include "grid/cell_index.hpp"
#include "options/run_options.hpp"
#include "transport/injection_bounds.hpp"

namespace fracflow::transport {

struct GridInjectionCell {
  int cell = -1;             // index into the cell table
  double throughflow = 0.0;  // half the sum of the absolute fluxes to its neighbours
};

struct GridInjectionTable {
  std::vector<GridInjectionCell> records;
  InjectionBounds bounds;  // record i: bounds[i] ≤ u < bounds[i + 1]
  int count() const { return static_cast<int>(records.size()); }
};

// Strictly between the grid lines scellx and ecellx, scelly and ecelly (numbered from 1).
bool inGridInjectionWindow(const RunOptions& options, double x, double y);

// Half the sum of |gridFlux| to the first coupled neighbour in each direction, in the order
// above, right, below, left.
double cellThroughflow(const std::vector<Cell>& cells, const grid::CellIndex& index,
                       double cellSizeX, double cellSizeY, int c);

GridInjectionTable buildGridInjectionTable(const RunOptions& options, const CellTable& table,
                                           const grid::CellIndex& index);

}  // namespace fracflow::transport
