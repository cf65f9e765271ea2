// Assembly of the grid flow system, row by row in cell order.
#include "grid/flow_system.hpp"

#include "grid/face_coefficient.hpp"
#include "grid/neighbour_matches.hpp"
#include "solvers/csr_builder.hpp"

namespace fracflow::grid {

solvers::LinearSystem assembleFlowSystem(const CellTable& table, const GridGeometry& grid,
                                         const CellIndex& index) {
  const int boundaryCells = table.boundaryCells;
  const int n = table.internalCells;
  const double dx = grid.cellSizeX;
  const double dy = grid.cellSizeY;
  solvers::LinearSystem system;
  system.b.assign(static_cast<std::size_t>(n), 0.0);
  solvers::CsrBuilder builder(n, static_cast<std::size_t>(n) * 5);

  // Test t couples face kFaceOf[t] of the row's cell with the opposite face of the neighbour.
  constexpr int kFaceOf[4] = {kTop, kRight, kBottom, kLeft};
  std::vector<NeighbourMatch> matches;
  for (int r = 0; r < n; ++r) {
    const Cell& k = table.cells[static_cast<std::size_t>(boundaryCells + r)];
    const double xk = k.center[0];
    const double yk = k.center[1];
    const WindowPoint points[4] = {{xk, yk + dy}, {xk + dx, yk}, {xk, yk - dy}, {xk - dx, yk}};
    findNeighbourMatches(index, points, matches);
    builder.beginRow();
    double& rhs = system.b[static_cast<std::size_t>(r)];
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
        builder.set(match.cell - boundaryCells, G * (1.0 / d) * 0.01);
      }
      builder.subtract(r, G * (1.0 / d) * 0.01);
    }
    builder.endRow();
  }
  system.A = builder.finish();
  return system;
}

}  // namespace fracflow::grid
