// Random backbones and cell tables for comparing the indexed walks with the literal ones:
// lattices with a cell size that is not a binary fraction, ends and centres nudged so that
// they match only through the relative windows, local head maxima with many downhill
// branches, sinks, ties, zero flows and duplicated centres.
#pragma once

#include <cmath>
#include <random>
#include <vector>

#include "dfn/backbone.hpp"
#include "grid/cell.hpp"
#include "options/run_options.hpp"

namespace fracflow::transport::testing {

inline Backbone randomBackbone(std::mt19937_64& gen, const RunOptions& o, int n) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const double hx = o.domainL / n, hy = o.domainW / n;
  const double gx = unit(gen) * 2.0, gy = unit(gen) * 2.0 - 0.5;
  std::vector<double> head(static_cast<std::size_t>((n + 1) * (n + 1)));
  for (int i = 0; i <= n; ++i) {
    for (int j = 0; j <= n; ++j) {
      double h = gx * (o.domainL - i * hx) + gy * (o.domainW - j * hy) + unit(gen) * 5.0;
      if (unit(gen) < 0.07) h += 200.0;                      // a local maximum: many ways down
      if (unit(gen) < 0.1) h = std::round(h / 20.0) * 20.0;  // ties along some segments
      head[static_cast<std::size_t>(i * (n + 1) + j)] = h;
    }
  }
  auto coordinate = [&](double c) {
    // Nudged inside the 1e-6 window of the node (0 stays 0).
    return unit(gen) < 0.15 ? c * (1.0 + (unit(gen) - 0.5) * 8e-7) : c;
  };
  Backbone b;
  const int steps[][2] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};
  for (int i = 0; i <= n; ++i) {
    for (int j = 0; j <= n; ++j) {
      for (const auto& step : steps) {
        const int k = i + step[0], l = j + step[1];
        if (k > n || l < 0 || l > n || unit(gen) < 0.35) continue;
        Segment s;
        s.perm = unit(gen) < 0.05 ? 0.0 : 500.0 + 1500.0 * unit(gen);
        double h1 = head[static_cast<std::size_t>(i * (n + 1) + j)];
        double h2 = head[static_cast<std::size_t>(k * (n + 1) + l)];
        s.x1 = coordinate(i * hx), s.y1 = coordinate(j * hy);
        s.x2 = coordinate(k * hx), s.y2 = coordinate(l * hy);
        if (unit(gen) < 0.5) {
          std::swap(s.x1, s.x2), std::swap(s.y1, s.y2), std::swap(h1, h2);
        }
        b.segments.push_back(s);
        b.head1.push_back(h1);
        b.head2.push_back(h2);
      }
    }
  }
  return b;
}

// Active boundary cells first, then internal ones, each in column-major order as the grid
// phase builds them; a few cells nudged within the 1e-4 window and a few duplicated.
inline CellTable randomCells(std::mt19937_64& gen, const RunOptions& o) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const double gx = unit(gen) * 2.0, gy = unit(gen) * 2.0 - 1.0;
  auto makeCell = [&](int i, int j) {
    Cell c;
    c.center[0] = (i + 0.5) * o.cellSizeX;
    c.center[1] = (j + 0.5) * o.cellSizeY;
    if (unit(gen) < 0.03) c.center[unit(gen) < 0.5 ? 0 : 1] *= 1.0 + (unit(gen) - 0.5) * 1e-4;
    for (int f = 0; f < 4; ++f) {
      c.faceK[f] = unit(gen) < 0.15 ? 0.0 : 0.2 + 2.0 * unit(gen);
      c.kSum[f] = c.faceK[f];
      c.crfactor[f] = 0.5 + 0.5 * unit(gen);
    }
    c.head = gx * (o.domainL - c.center[0]) + gy * (o.domainW - c.center[1]) + unit(gen) * 3.0;
    if (unit(gen) < 0.05) c.head += 100.0;
    return c;
  };
  CellTable table;
  std::vector<Cell> internal;
  for (int i = 0; i < o.cellx; ++i) {
    for (int j = 0; j < o.celly; ++j) {
      if (unit(gen) < 0.2) continue;
      const bool boundary = i == 0 || j == 0 || i == o.cellx - 1 || j == o.celly - 1;
      (boundary ? table.cells : internal).push_back(makeCell(i, j));
    }
  }
  table.boundaryCells = static_cast<int>(table.cells.size());
  table.cells.insert(table.cells.end(), internal.begin(), internal.end());
  const std::size_t active = table.cells.size();
  for (std::size_t m = 0; m < active; ++m) {
    if (unit(gen) < 0.01) {
      Cell copy = table.cells[m];
      copy.head += unit(gen) * 10.0 - 5.0;
      table.cells.push_back(copy);
    }
  }
  table.internalCells = static_cast<int>(table.cells.size()) - table.boundaryCells;
  return table;
}

}  // namespace fracflow::transport::testing
