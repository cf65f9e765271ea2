// Literal reference versions of the grid searches, for comparison with the indexed ones:
// every cell tested against every segment, the dense assembly scanning all cells for
// neighbours, and face flows by full scans (exact centre equality or the relative window).
#pragma once

#include <random>
#include <vector>

#include "grid/boundary_head.hpp"
#include "grid/cell.hpp"
#include "grid/cell_index.hpp"
#include "grid/crosses_edge.hpp"
#include "grid/face_coefficient.hpp"
#include "grid/face_flows.hpp"
#include "grid/grid_geometry.hpp"
#include "grid/map_crossing.hpp"
#include "network/segment.hpp"
#include "solvers/dense_matrix.hpp"

namespace fracflow::grid::literal {

inline bool isActive(const GridGeometry& g, int i, int j, const SegmentTable& segments) {
  for (const Segment& s : segments) {
    for (int f = kTop; f <= kLeft; ++f) {
      if (crossesEdge(g, i, j, s, f)) return true;
    }
  }
  return false;
}

// One mapping pass over one cell: every segment, every face.
inline int mapCellLiterally(const GridGeometry& g, const FaceHeads* heads, int i, int j,
                            const SegmentTable& segments, Cell& cell) {
  int crossings = 0;
  for (const Segment& s : segments) {
    for (int f = kTop; f <= kLeft; ++f) {
      if (!crossesEdge(g, i, j, s, f)) continue;
      mapCrossing(cell, g, i, j, s, f);
      if (heads) cell.head = boundaryHead(g, *heads, i, j, cell.center[0], cell.center[1]);
      ++crossings;
    }
  }
  return crossings;
}

// The count and the two passes over every cell and every segment.
inline CellTable literalCellTable(const GridGeometry& g, const FaceHeads& heads,
                                  const SegmentTable& segments) {
  CellTable table;
  for (int i = 0; i < g.cellx; ++i) {
    for (int j = 0; j < g.celly; ++j) {
      if (!isActive(g, i, j, segments)) continue;
      if (g.isBoundaryCell(i, j)) {
        ++table.boundaryCells;
      } else {
        ++table.internalCells;
      }
    }
  }
  table.cells.assign(static_cast<std::size_t>(table.totalCells()) + 1, Cell{});
  std::size_t r = 0;
  for (int i = 0; i < g.cellx; ++i) {
    for (int j = 0; j < g.celly; ++j) {
      if (!g.isBoundaryCell(i, j)) continue;
      if (mapCellLiterally(g, &heads, i, j, segments, table.cells[r]) > 0) ++r;
    }
  }
  for (int i = 1; i <= g.cellx - 2; ++i) {
    for (int j = 1; j <= g.celly - 2; ++j) {
      if (mapCellLiterally(g, nullptr, i, j, segments, table.cells[r]) > 0) ++r;
    }
  }
  table.cells.pop_back();  // the spare record a cell without crossings would have used
  return table;
}

struct DenseSystem {
  solvers::DenseMatrix matrix;
  std::vector<double> rhs;
};

// The dense assembly, scanning every cell for the neighbours of every internal cell.
inline DenseSystem literalDenseSystem(const CellTable& t, const GridGeometry& g) {
  const int n = t.internalCells;
  DenseSystem system{solvers::DenseMatrix(n),
                     std::vector<double>(static_cast<std::size_t>(n), 0.0)};
  const double dx = g.cellSizeX;
  const double dy = g.cellSizeY;
  for (int k = t.boundaryCells; k < t.totalCells(); ++k) {
    const int r = k - t.boundaryCells;
    const Cell& ck = t.cells[static_cast<std::size_t>(k)];
    const double xk = ck.center[0];
    const double yk = ck.center[1];
    for (int m = 0; m < t.totalCells(); ++m) {
      const Cell& cm = t.cells[static_cast<std::size_t>(m)];
      const double xm = cm.center[0];
      const double ym = cm.center[1];
      const bool test[4] = {
          inNeighbourWindow(xm, ym, xk, yk + dy), inNeighbourWindow(xm, ym, xk + dx, yk),
          inNeighbourWindow(xm, ym, xk, yk - dy), inNeighbourWindow(xm, ym, xk - dx, yk)};
      for (int f = 0; f < 4; ++f) {
        if (!test[f]) continue;
        const double a = ck.faceK[f];
        const double q = cm.faceK[oppositeFace(f)];
        if (a + q == 0.0) continue;
        const double G = faceCoefficient(a, q);
        const double d = f == kTop || f == kBottom ? dy : dx;
        if (m < t.boundaryCells) {
          system.rhs[static_cast<std::size_t>(r)] -= G * (cm.head / d) * 0.01;
          system.matrix.at(r, r) -= G * (1.0 / d) * 0.01;
        } else {
          system.matrix.at(r, m - t.boundaryCells) = G * (1.0 / d) * 0.01;
          system.matrix.at(r, r) -= G * (1.0 / d) * 0.01;
        }
      }
    }
  }
  return system;
}

// The face flows by full scans; `exact` recognises neighbours by exact centre equality,
// otherwise by the relative window of the assembly.
inline FaceFlows literalFaceFlows(const CellTable& t, const GridGeometry& g, bool exact) {
  const double dx = g.cellSizeX;
  const double dy = g.cellSizeY;
  const auto at = [&](const Cell& n, double x, double y) {
    return exact ? n.center[0] == x && n.center[1] == y
                 : inNeighbourWindow(n.center[0], n.center[1], x, y);
  };
  const auto flux = [&](double& flow, const Cell& b, const Cell& n, int face, double d) {
    const double a = b.faceK[face];
    const double q = n.faceK[oppositeFace(face)];
    if (a + q == 0.0) return;
    flow += faceCoefficient(a, q) * ((n.head - b.head) / d) * 0.01;
  };
  const auto band = [](double v, double c, double lo, double hi) {
    return lo * c < v && v < hi * c;
  };
  FaceFlows q;
  for (int bi = 0; bi < t.boundaryCells; ++bi) {
    const Cell& b = t.cells[static_cast<std::size_t>(bi)];
    const double xb = b.center[0];
    const double yb = b.center[1];
    for (int m = t.boundaryCells; m < t.totalCells(); ++m) {
      const Cell& n = t.cells[static_cast<std::size_t>(m)];
      if (at(n, xb, yb - dy)) flux(q.top, b, n, kBottom, dy);
      if (at(n, xb - dx, yb)) flux(q.right, b, n, kLeft, dx);
      if (at(n, xb, yb + dy)) flux(q.bottom, b, n, kTop, dy);
      if (at(n, xb + dx, yb)) flux(q.left, b, n, kRight, dx);
    }
    const bool top = band(yb, g.domainW - 0.5 * dy, 0.99999, 1.00001);
    const bool right = band(xb, g.domainL - 0.5 * dx, 0.99999, 1.00001);
    const bool bottom = band(yb, 0.5 * dy, 0.99999, 1.00001);
    const bool left = band(xb, 0.5 * dx, 0.99999, 1.00001);
    const bool notCorner = 0.50005 * dx < xb && xb < 0.9999 * (g.domainL - 0.5 * dx);
    for (int m = 0; m < t.boundaryCells; ++m) {
      const Cell& n = t.cells[static_cast<std::size_t>(m)];
      if (top && notCorner) {
        if (at(n, xb - dx, yb)) flux(q.top, b, n, kLeft, dx);
        if (at(n, xb + dx, yb)) flux(q.top, b, n, kRight, dx);
      }
      if (right) {
        if (at(n, xb, yb - dy)) flux(q.right, b, n, kBottom, dy);
        if (at(n, xb, yb + dy)) flux(q.right, b, n, kTop, dy);
        if (at(n, xb - dx, yb)) flux(q.right, b, n, kLeft, dx);
      }
      if (bottom && notCorner) {
        if (at(n, xb - dx, yb)) flux(q.bottom, b, n, kLeft, dx);
        if (at(n, xb + dx, yb)) flux(q.bottom, b, n, kRight, dx);
      }
      if (left) {
        if (at(n, xb, yb - dy)) flux(q.left, b, n, kBottom, dy);
        if (at(n, xb, yb + dy)) flux(q.left, b, n, kTop, dy);
        if (at(n, xb + dx, yb)) flux(q.left, b, n, kRight, dx);
      }
    }
  }
  return q;
}

// A random network that exercises the degenerate cases of the crossing test: end points on
// grid lines and grid nodes, horizontal and vertical segments (some on grid lines),
// segments through grid nodes, and plain random ones; all inside the domain.
inline SegmentTable randomNetwork(const GridGeometry& g, int count, std::mt19937& rng) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::uniform_int_distribution<int> column(0, g.cellx);
  std::uniform_int_distribution<int> row(0, g.celly);
  std::uniform_int_distribution<int> kind(0, 7);
  const auto anyX = [&] { return unit(rng) * g.domainL; };
  const auto anyY = [&] { return unit(rng) * g.domainW; };
  const auto lineX = [&] { return static_cast<double>(column(rng)) * g.cellSizeX; };
  const auto lineY = [&] { return static_cast<double>(row(rng)) * g.cellSizeY; };
  const auto perm = [&] { return unit(rng) < 0.05 ? 0.0 : 0.1 + unit(rng) * 3.0; };
  SegmentTable segments;
  for (int n = 0; n < count; ++n) {
    Segment s;
    s.perm = perm();
    switch (kind(rng)) {
      case 0:  // horizontal
        s.y1 = s.y2 = unit(rng) < 0.5 ? lineY() : anyY();
        s.x1 = anyX();
        s.x2 = anyX();
        break;
      case 1:  // vertical
        s.x1 = s.x2 = unit(rng) < 0.5 ? lineX() : anyX();
        s.y1 = anyY();
        s.y2 = anyY();
        break;
      case 2:  // grid node to grid node: passes through nodes on the way for some slopes
        s.x1 = lineX();
        s.y1 = lineY();
        s.x2 = lineX();
        s.y2 = lineY();
        break;
      case 3:  // start on a vertical grid line, end on a horizontal one
        s.x1 = lineX();
        s.y1 = anyY();
        s.x2 = anyX();
        s.y2 = lineY();
        break;
      case 4: {  // short, inside a few cells
        s.x1 = anyX();
        s.y1 = anyY();
        s.x2 = std::min(g.domainL, std::max(0.0, s.x1 + (unit(rng) - 0.5) * 3.0 * g.cellSizeX));
        s.y2 = std::min(g.domainW, std::max(0.0, s.y1 + (unit(rng) - 0.5) * 3.0 * g.cellSizeY));
        break;
      }
      case 5:  // 45 degrees from a grid node
        s.x1 = lineX();
        s.y1 = lineY();
        {
          const double run = unit(rng) * 0.5 * std::min(g.domainL, g.domainW);
          s.x2 = std::min(g.domainL, s.x1 + run);
          s.y2 = s.y1 + (s.x2 - s.x1) * (g.cellSizeY / g.cellSizeX);
          if (s.y2 > g.domainW) s.y2 = s.y1;
        }
        break;
      case 6:  // zero length
        s.x1 = s.x2 = anyX();
        s.y1 = s.y2 = anyY();
        break;
      default:
        s.x1 = anyX();
        s.y1 = anyY();
        s.x2 = anyX();
        s.y2 = anyY();
        break;
    }
    segments.push_back(s);
  }
  return segments;
}

}  // namespace fracflow::grid::literal
