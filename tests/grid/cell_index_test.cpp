#include "grid/cell_index.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace fracflow::grid {
namespace {

std::vector<int> scanWindow(const std::vector<Cell>& cells, double px, double py) {
  std::vector<int> found;
  for (std::size_t m = 0; m < cells.size(); ++m) {
    if (inNeighbourWindow(cells[m].center[0], cells[m].center[1], px, py)) {
      found.push_back(static_cast<int>(m));
    }
  }
  return found;
}

int scanExact(const std::vector<Cell>& cells, double x, double y) {
  for (std::size_t m = 0; m < cells.size(); ++m) {
    if (cells[m].center[0] == x && cells[m].center[1] == y) return static_cast<int>(m);
  }
  return -1;
}

struct IndexCase {
  const char* what;
  int cellx, celly;
  double dx, dy;
  double jitter;      // relative perturbation of the centres, so they round across edges
  double kept = 0.7;  // share of the cells that are active
};

// On a grid of 30000 columns the window about x covers about six cells, so the index must
// return all of them; the shuffled table checks the array order of the matches.
TEST(CellIndex, FindsExactlyWhatAScanFindsInArrayOrder) {
  const IndexCase cases[] = {
      {"30 x 30 of a 100 m domain", 30, 30, 100.0 / 30, 100.0 / 30, 0.0},
      {"binary cells", 16, 8, 0.25, 0.5, 0.0},
      {"very fine in x", 30000, 2, 1.0 / 3, 1.0, 0.0},
      {"jittered centres", 20, 20, 5.0, 5.0, 1e-4},
      {"one cell", 1, 1, 7.0, 3.0, 0.0},
      {"a few active cells in a large grid", 400, 300, 0.5, 2.0, 0.0, 0.01},
      {"a few jittered cells in a large grid", 300, 300, 1.0 / 3, 3.0, 1e-4, 0.02},
  };
  std::mt19937 rng(7);
  for (const IndexCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<Cell> cells;
    const int total = c.cellx * c.celly;
    for (int n = 0; n < total; ++n) {
      if (total > 100 && unit(rng) >= c.kept) continue;  // inactive cells have no record
      Cell cell;
      cell.center[0] = (static_cast<double>(n / c.celly) + 0.5) * c.dx;
      cell.center[1] = (static_cast<double>(n % c.celly) + 0.5) * c.dy;
      cell.center[0] *= 1.0 + c.jitter * (unit(rng) - 0.5);
      cell.center[1] *= 1.0 + c.jitter * (unit(rng) - 0.5);
      cells.push_back(cell);
    }
    if (!cells.empty()) cells.push_back(cells[cells.size() / 2]);  // a duplicate centre
    std::shuffle(cells.begin(), cells.end(), rng);
    const CellIndex index(cells, c.cellx, c.celly, c.dx, c.dy);

    const double lengthX = c.cellx * c.dx;
    const double lengthY = c.celly * c.dy;
    std::vector<std::pair<double, double>> points;
    for (int q = 0; q < 400; ++q) {
      const Cell& near = cells[static_cast<std::size_t>(q) % cells.size()];
      // Shifted centres, as the assembly and the face flows ask, and random points.
      points.push_back({near.center[0] + c.dx, near.center[1]});
      points.push_back({near.center[0], near.center[1] - c.dy});
      points.push_back({near.center[0], near.center[1]});
      points.push_back({unit(rng) * lengthX * 1.2 - 0.1 * lengthX, unit(rng) * lengthY});
    }
    const double inf = std::numeric_limits<double>::infinity();
    points.push_back({0.0, 0.0});
    points.push_back({-0.5 * c.dx, 0.5 * c.dy});
    points.push_back({std::nan(""), 0.5 * c.dy});
    points.push_back({inf, 0.5 * c.dy});
    points.push_back({-inf, -inf});
    for (const auto& [px, py] : points) {
      std::vector<int> visited;
      index.forEachInWindow(px, py, [&](int m) { visited.push_back(m); });
      ASSERT_EQ(visited, scanWindow(cells, px, py)) << px << ", " << py;
      ASSERT_EQ(index.findExact(px, py), scanExact(cells, px, py)) << px << ", " << py;
    }
  }
}

// The grid walk looks up the neighbours of a neighbour from inside a visit.
TEST(CellIndex, NestedQueriesSeeTheirOwnMatches) {
  std::vector<Cell> cells;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      Cell c;
      c.center[0] = i + 0.5;
      c.center[1] = j + 0.5;
      cells.push_back(c);
    }
  }
  cells.push_back(cells[9]);  // a second cell centred at (2.5, 1.5)
  const CellIndex index(cells, 4, 4, 1.0, 1.0);
  std::vector<int> outer, inner;
  index.forEachInWindow(1.5, 1.5, [&](int m) {
    outer.push_back(m);
    index.forEachInWindow(cells[static_cast<std::size_t>(m)].center[0] + 1.0, 1.5,
                          [&](int n) { inner.push_back(n); });
  });
  EXPECT_EQ(outer, std::vector<int>{5});
  EXPECT_EQ(inner, (std::vector<int>{9, 16}));
}

TEST(CellIndex, EmptyTableFindsNothing) {
  const std::vector<Cell> cells;
  const CellIndex index(cells, 3, 3, 1.0, 1.0);
  int visits = 0;
  index.forEachInWindow(1.5, 1.5, [&](int) { ++visits; });
  EXPECT_EQ(visits, 0);
  EXPECT_EQ(index.findExact(1.5, 1.5), -1);
}

}  // namespace
}  // namespace fracflow::grid
