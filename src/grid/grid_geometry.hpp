// The grid laid over the domain: cellx × celly cells of cellSizeX × cellSizeY, cell (i, j) in
// column i and row j. Edge lines are always computed afresh as (index) × (cell size), never
// by summing widths, so every test that compares against an edge sees the same value.
#pragma once

#include "options/run_options.hpp"

namespace fracflow::grid {

struct GridGeometry {
  int cellx = 0;
  int celly = 0;
  double cellSizeX = 0.0;
  double cellSizeY = 0.0;
  double domainL = 0.0;
  double domainW = 0.0;

  static GridGeometry fromOptions(const RunOptions& options) {
    return {options.cellx,     options.celly,   options.cellSizeX,
            options.cellSizeY, options.domainL, options.domainW};
  }

  double leftX(int i) const { return static_cast<double>(i) * cellSizeX; }
  double rightX(int i) const { return static_cast<double>(i + 1) * cellSizeX; }
  double bottomY(int j) const { return static_cast<double>(j) * cellSizeY; }
  double topY(int j) const { return static_cast<double>(j + 1) * cellSizeY; }
  double centerX(int i) const { return (static_cast<double>(i) + 0.5) * cellSizeX; }
  double centerY(int j) const { return (static_cast<double>(j) + 0.5) * cellSizeY; }

  bool isBoundaryCell(int i, int j) const {
    return i == 0 || i == cellx - 1 || j == 0 || j == celly - 1;
  }
  // Cells are numbered in visiting order: column outer, row inner.
  int cellNumber(int i, int j) const { return i * celly + j; }
  int columnOf(int cellNumber) const { return cellNumber / celly; }
  int rowOf(int cellNumber) const { return cellNumber % celly; }
  int cellCount() const { return cellx * celly; }
};

}  // namespace fracflow::grid
