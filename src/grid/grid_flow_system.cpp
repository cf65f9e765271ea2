// Assembly of the grid flow system, row by row in cell order.
#include "grid/grid_flow_system.hpp"

#include <algorithm>
#include <utility>

#include "grid/face_coefficient.hpp"
#include "grid/neighbour_matches.hpp"

namespace fracflow::grid {
namespace {

// One row as the assembly writes it: column -> value, in the order first written.
class RowBuilder {
 public:
  void reset(int diagonal) {
    entries_.clear();
    entries_.push_back({diagonal, 0.0});
  }
  double& at(int column) {
    for (auto& entry : entries_) {
      if (entry.first == column) return entry.second;
    }
    entries_.push_back({column, 0.0});
    return entries_.back().second;
  }
  void appendTo(solvers::CsrMatrix& matrix) {
    std::sort(entries_.begin(), entries_.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [column, value] : entries_) {
      matrix.column.push_back(column);
      matrix.value.push_back(value);
    }
    matrix.rowStart.push_back(matrix.column.size());
  }

 private:
  std::vector<std::pair<int, double>> entries_;
};

}  // namespace

GridFlowSystem assembleGridFlowSystem(const CellTable& table, const GridGeometry& grid,
                                      const CellIndex& index) {
  const int boundaryCells = table.boundaryCells;
  const int n = table.internalCells;
  const double dx = grid.cellSizeX;
  const double dy = grid.cellSizeY;
  GridFlowSystem system;
  system.matrix.n = n;
  system.matrix.rowStart.assign(1, 0);
  system.matrix.column.reserve(static_cast<std::size_t>(n) * 5);
  system.matrix.value.reserve(static_cast<std::size_t>(n) * 5);
  system.rhs.assign(static_cast<std::size_t>(n), 0.0);

  // Test t couples face kFaceOf[t] of the row's cell with the opposite face of the neighbour.
  constexpr int kFaceOf[4] = {kTop, kRight, kBottom, kLeft};
  RowBuilder row;
  std::vector<NeighbourMatch> matches;
  for (int r = 0; r < n; ++r) {
    const Cell& k = table.cells[static_cast<std::size_t>(boundaryCells + r)];
    const double xk = k.center[0];
    const double yk = k.center[1];
    const WindowPoint points[4] = {{xk, yk + dy}, {xk + dx, yk}, {xk, yk - dy}, {xk - dx, yk}};
    findNeighbourMatches(index, points, matches);
    row.reset(r);
    double& rhs = system.rhs[static_cast<std::size_t>(r)];
    for (const NeighbourMatch& match : matches) {
      const Cell& m = table.cells[static_cast<std::size_t>(match.cell)];
      const int face = kFaceOf[match.test];
      const double a = k.faceK[face];
      const double q = m.faceK[oppositeFace(face)];
      if (a + q == 0.0) continue;
      const double G = faceCoefficient(a, q);
      const double d = face == kTop || face == kBottom ? dy : dx;
      if (match.cell < boundaryCells) {
        rhs -= G * (m.head / d) * 0.01;
      } else {
        row.at(match.cell - boundaryCells) = G * (1.0 / d) * 0.01;
      }
      row.at(r) -= G * (1.0 / d) * 0.01;
    }
    row.appendTo(system.matrix);
  }
  return system;
}

}  // namespace fracflow::grid
