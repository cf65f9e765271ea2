// Building the grid injection table.
#include "transport/grid_injection.hpp"

#include <cmath>
#include <cstddef>
#include <utility>

#include "grid/face_coefficient.hpp"
#include "transport/grid_candidates.hpp"

namespace fracflow::transport {
namespace {

double gridLine(int number, double size) {
  return static_cast<double>(static_cast<long long>(number) - 1) * size;
}

}  // namespace

bool inGridInjectionWindow(const RunOptions& options, double x, double y) {
  return gridLine(options.scellx, options.cellSizeX) < x &&
         x < gridLine(options.ecellx, options.cellSizeX) &&
         gridLine(options.scelly, options.cellSizeY) < y &&
         y < gridLine(options.ecelly, options.cellSizeY);
}

double cellThroughflow(const std::vector<Cell>& cells, const grid::CellIndex& index,
                       double cellSizeX, double cellSizeY, int c) {
  const Cell& from = cells[static_cast<std::size_t>(c)];
  double sum = 0.0;
  for (int face = 0; face < 4; ++face) {
    double px = 0.0, py = 0.0;
    shiftedCentre(face, from.center[0], from.center[1], cellSizeX, cellSizeY, px, py);
    const int opposite = grid::oppositeFace(face);
    int neighbour = -1;
    index.forEachInWindow(px, py, [&](int m) {
      if (neighbour < 0 &&
          from.faceK[face] + cells[static_cast<std::size_t>(m)].faceK[opposite] != 0.0) {
        neighbour = m;
      }
    });
    if (neighbour >= 0) {
      sum += std::fabs(
          gridFlux(from, cells[static_cast<std::size_t>(neighbour)], face, cellSizeX, cellSizeY));
    }
  }
  return 0.5 * sum;
}

GridInjectionTable buildGridInjectionTable(const RunOptions& options, const CellTable& table,
                                           const grid::CellIndex& index) {
  GridInjectionTable injection;
  double total = 0.0;
  for (std::size_t c = 0; c < table.cells.size(); ++c) {
    const Cell& cell = table.cells[c];
    if (!inGridInjectionWindow(options, cell.center[0], cell.center[1])) continue;
    const double throughflow = cellThroughflow(table.cells, index, options.cellSizeX,
                                               options.cellSizeY, static_cast<int>(c));
    if (!(throughflow > 0.0)) continue;
    injection.records.push_back({static_cast<int>(c), throughflow});
    total += throughflow;
  }
  std::vector<double> bounds(injection.records.size() + 1, 0.0);
  for (std::size_t i = 0; i < injection.records.size(); ++i) {
    bounds[i + 1] = bounds[i] + injection.records[i].throughflow / total;
  }
  injection.bounds = InjectionBounds(std::move(bounds));
  return injection;
}

}  // namespace fracflow::transport
