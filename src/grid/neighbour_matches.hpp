// The neighbours of a cell as the literal scan sees them: every cell, in array order, whose
// centre lies in the neighbour window about one of several shifted points, with the tests
// of one cell taken in the order given. The cell index finds them per window; merging the
// matches by (cell, test) restores the order of the scan.
#pragma once

#include <algorithm>
#include <vector>

#include "grid/cell_index.hpp"

namespace fracflow::grid {

struct NeighbourMatch {
  int cell = 0;
  int test = 0;  // position of the test in the scan's order of tests
  friend bool operator<(const NeighbourMatch& a, const NeighbourMatch& b) {
    return a.cell != b.cell ? a.cell < b.cell : a.test < b.test;
  }
};

struct WindowPoint {
  double x = 0.0;
  double y = 0.0;
};

// Fills matches with the cells in the window of each point (test t = position in points),
// ordered by cell and then by test.
template <std::size_t N>
void findNeighbourMatches(const CellIndex& index, const WindowPoint (&points)[N],
                          std::vector<NeighbourMatch>& matches) {
  matches.clear();
  for (std::size_t t = 0; t < N; ++t) {
    index.forEachInWindow(points[t].x, points[t].y, [&](int m) {
      matches.push_back({m, static_cast<int>(t)});
    });
  }
  std::sort(matches.begin(), matches.end());
}

}  // namespace fracflow::grid
