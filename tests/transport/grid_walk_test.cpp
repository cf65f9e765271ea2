#include "transport/grid_walk.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "literal_walks.hpp"
#include "random_networks.hpp"
#include "transport_test_support.hpp"

namespace fracflow::transport {
namespace {

// A cell of column i, row j with the given faceK on its four faces, one crfactor everywhere.
struct CellInput {
  int i, j;
  double head;
  double k[4];  // top, right, bottom, left
  double cr = 1.0;
};

CellTable cellsOf(const RunOptions& o, const std::vector<CellInput>& inputs) {
  CellTable table;
  for (const CellInput& s : inputs) {
    Cell c;
    c.center[0] = (s.i + 0.5) * o.cellSizeX;
    c.center[1] = (s.j + 0.5) * o.cellSizeY;
    c.head = s.head;
    for (int f = 0; f < 4; ++f) {
      c.faceK[f] = s.k[f];
      c.kSum[f] = s.k[f];
      c.crfactor[f] = s.cr;
    }
    table.cells.push_back(c);
  }
  table.boundaryCells = static_cast<int>(table.cells.size());
  return table;
}

// Runs one particle on its own stream and reports how many draws it took.
struct Tracked {
  ParticleStop stop;
  int draws;
};
Tracked trackOne(const RunOptions& o, const CellTable& table, std::uint32_t seed = 11) {
  const grid::CellIndex index(table.cells, o.cellx, o.celly, o.cellSizeX, o.cellSizeY);
  const GridInjectionTable injection = buildGridInjectionTable(o, table, index);
  EXPECT_GT(injection.count(), 0);
  GridWalk walk(o, table, index, injection);
  random::RandomStream random(seed);
  Tracked t{walk.trackParticle(random), 0};
  random::RandomStream count(seed);
  while (count.state() != random.state() && t.draws < 1000) {
    count.uniform();
    ++t.draws;
  }
  return t;
}

// A 5 × 5 grid with cell size 2; the window x in (4, 6), y in (4, 6) holds cell (2, 2) only.
RunOptions smallGrid() {
  RunOptions o = testing::transportOptions(10.0, 10.0, 5, 5);
  o.scellx = o.scelly = 3;
  o.ecellx = o.ecelly = 4;
  return o;
}

TEST(GridWalk, AStepTakesDistanceOverFlowOverTheMeanCrfactor) {
  RunOptions o = smallGrid();
  // gridFlux 1 · ((100 − 0) / 2) · 0.01 = 0.5 into the right neighbour, crfactor 0.8 out of
  // the cell and 0.6 into the neighbour: 2 / 0.5 / 0.7 time units.
  CellTable table = cellsOf(o, {{2, 2, 100.0, {0, 1, 0, 0}}, {3, 2, 0.0, {0, 0, 0, 1}}});
  table.cells[0].crfactor[kRight] = 0.8;
  table.cells[1].crfactor[kLeft] = 0.6;
  // Cell (3, 2) is interior on 5 columns; it has no way on: stuck after one more draw.
  const Tracked t = trackOne(o, table);
  EXPECT_EQ(t.stop.end, WalkEnd::Stuck);
  EXPECT_EQ(t.stop.x, 7.0);
  EXPECT_NEAR(t.stop.t, 2.0 / 0.5 / 0.7, 1e-12);
  EXPECT_EQ(t.draws, 3);  // injection, first move, one step
}

TEST(GridWalk, ArrivalsAndTheirFaces) {
  const RunOptions base = testing::transportOptions(10.0, 10.0, 5, 5);
  struct Case {
    const char* name;
    int si, sj;  // the injection cell (the window holds it alone)
    int ni, nj;  // its lower neighbour, or -1
    int face;    // the face between them, seen from the injection cell
    bool hasFace;
    Face arrival;
    double t;
    int draws;
  } cases[] = {
      {"into the top-right corner cell: right", 4, 3, 4, 4, kTop, true, kRight, 2.0 / 0.5, 2},
      {"into the bottom-left corner cell: left", 0, 1, 0, 0, kBottom, true, kLeft, 2.0 / 0.5, 2},
      {"top row beside the corners: top", 2, 3, 2, 4, kTop, true, kTop, 2.0 / 0.5, 2},
      {"bottom row beside the corners: bottom", 2, 1, 2, 0, kBottom, true, kBottom, 2.0 / 0.5, 2},
      // An edge cell with no lower neighbour leaves nothing: counted at once with t = 0.
      {"stays in an edge cell", 3, 0, -1, -1, kTop, true, kBottom, 0.0, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunOptions o = base;
    o.scellx = c.si + 1, o.ecellx = c.si + 2, o.scelly = c.sj + 1, o.ecelly = c.sj + 2;
    CellInput from{c.si, c.sj, 100.0, {0, 0, 0, 0}};
    from.k[c.face] = 1.0;
    std::vector<CellInput> inputs = {from};
    if (c.ni >= 0) {
      CellInput to{c.ni, c.nj, 0.0, {0, 0, 0, 0}};
      to.k[(c.face + 2) % 4] = 1.0;
      inputs.push_back(to);
    } else {
      // A higher neighbour gives the cell throughflow but no way down.
      inputs.push_back({c.si + 1, c.sj, 200.0, {0, 0, 0, 1}});
      inputs[0].k[kRight] = 1.0;
    }
    const Tracked t = trackOne(o, cellsOf(o, inputs));
    EXPECT_EQ(t.stop.end, WalkEnd::Arrived);
    EXPECT_EQ(t.stop.hasFace, c.hasFace);
    EXPECT_EQ(t.stop.face, c.arrival);
    // flux 1 · (100 / 2) · 0.01 = 0.5 over a distance of 2, crfactor 1
    EXPECT_NEAR(t.stop.t, c.t, 1e-12);
    EXPECT_EQ(t.draws, c.draws);
  }
}

TEST(GridWalk, TheTimeCapHoldsOnTheMoveIntoAnEdgeCell) {
  RunOptions o = smallGrid();
  o.bcsize = 10;
  o.bcstep = 1;  // cap 10.01
  struct Case {
    double headOfEdgeCell;  // sets the flux of the last move, and so its time
    WalkEnd end;
  } cases[] = {
      {-50.0, WalkEnd::Arrived},  // flux 1 · (100 / 2) · 0.01 = 0.5: 4 + 2 / 0.5 = 8
      {40.0, WalkEnd::TimedOut},  // flux 0.05: 4 + 2 / 0.05 = 44
  };
  for (const Case& c : cases) {
    const CellTable table = cellsOf(o, {{2, 2, 150.0, {0, 1, 0, 0}},
                                        {3, 2, 50.0, {0, 1, 0, 1}},
                                        {4, 2, c.headOfEdgeCell, {0, 0, 0, 1}}});
    const Tracked t = trackOne(o, table);
    EXPECT_EQ(t.stop.end, c.end);
    EXPECT_EQ(t.stop.x, 9.0);  // in the edge cell either way
  }
}

TEST(GridWalk, InjectionByThroughflowAndSplitsByFlux) {
  RunOptions o = testing::transportOptions(10.0, 10.0, 10, 10);  // cell size 1
  o.scellx = 3, o.ecellx = 4, o.scelly = 1, o.ecelly = 8;        // column 2, rows 0 to 6
  // Two window cells: (2, 2) with a flux of 1 · 200 · 0.01 = 2 to the right, throughflow 1;
  // (2, 6) with fluxes 1.5 to the right and 4.5 upwards, throughflow 3.
  const CellTable table = cellsOf(o, {
                                         {2, 2, 200.0, {0, 1, 0, 0}},
                                         {3, 2, 0.0, {0, 1, 0, 1}},
                                         {2, 6, 450.0, {1, 1, 0, 0}},
                                         {3, 6, 300.0, {0, 1, 0, 1}},  // flux 1.5 to the right
                                         {2, 7, 0.0, {1, 0, 1, 0}},    // flux 4.5 upwards
                                         {4, 2, -10.0, {0, 0, 0, 1}},
                                         {4, 6, -10.0, {0, 0, 0, 1}},
                                     });
  const grid::CellIndex index(table.cells, o.cellx, o.celly, o.cellSizeX, o.cellSizeY);
  const GridInjectionTable injection = buildGridInjectionTable(o, table, index);
  ASSERT_EQ(injection.count(), 2);
  EXPECT_DOUBLE_EQ(injection.records[0].throughflow, 1.0);
  EXPECT_DOUBLE_EQ(injection.records[1].throughflow, 3.0);
  GridWalk walk(o, table, index, injection);
  random::RandomStream random(77);
  const int n = 8000;
  int low = 0, high = 0, right = 0;
  for (int p = 0; p < n; ++p) {
    const ParticleStop stop = walk.trackParticle(random);
    if (stop.startY == 2.5) ++low;
    if (stop.startY == 6.5) {
      ++high;
      if (stop.y == 6.5) ++right;
    }
  }
  // Four standard deviations of the binomial counts: a quarter of the particles start in the
  // cell of throughflow 1; from (2, 6) the fluxes 1.5 and 4.5 send a quarter to the right.
  EXPECT_NEAR(low, n / 4, 4.0 * std::sqrt(n * 0.25 * 0.75));
  EXPECT_EQ(low + high, n);
  EXPECT_NEAR(right, high / 4, 4.0 * std::sqrt(high * 0.25 * 0.75));
}

TEST(GridWalk, ParticlesReachTheFacesOnAGridWhoseCellSizeIsNoBinaryFraction) {
  RunOptions o = testing::transportOptions(100.0, 100.0, 30, 30);
  o.scellx = 2, o.ecellx = 3, o.scelly = 16, o.ecelly = 17;  // cell (1, 15)
  // A channel along row 15 from column 0 to column 29, the head falling to the right.
  std::vector<CellInput> channel;
  for (int i = 0; i < 30; ++i) channel.push_back({i, 15, 3000.0 - 100.0 * i, {0, 1, 0, 1}});
  const CellTable table = cellsOf(o, channel);
  int shifted = 0;
  for (int i = 0; i + 1 < 30; ++i) {
    if (table.cells[static_cast<std::size_t>(i)].center[0] + o.cellSizeX !=
        table.cells[static_cast<std::size_t>(i + 1)].center[0]) {
      ++shifted;
    }
  }
  ASSERT_GT(shifted, 0);  // exact equality would stop the particles there
  const grid::CellIndex index(table.cells, o.cellx, o.celly, o.cellSizeX, o.cellSizeY);
  const GridInjectionTable injection = buildGridInjectionTable(o, table, index);
  GridWalk walk(o, table, index, injection);
  random::RandomStream random(3);
  for (int p = 0; p < 20; ++p) {
    const ParticleStop stop = walk.trackParticle(random);
    EXPECT_EQ(stop.end, WalkEnd::Arrived);
    EXPECT_EQ(stop.face, kRight);
    EXPECT_EQ(stop.x, table.cells.back().center[0]);
  }
}

TEST(GridWalk, AgreesWithTheLiteralWalkOnRandomGrids) {
  std::mt19937_64 gen(8);
  int tracked = 0, arrived = 0, timedOut = 0, stuck = 0;
  for (int trial = 0; trial < 20; ++trial) {
    RunOptions o = testing::transportOptions(100.0, 70.0, 12 + trial, 21);
    o.scellx = 2 + trial % 3, o.ecellx = o.scellx + 3, o.scelly = 1, o.ecelly = o.celly + 1;
    o.bcsize = 5 + trial;
    o.bcstep = 400;
    const CellTable table = testing::randomCells(gen, o);
    const grid::CellIndex index(table.cells, o.cellx, o.celly, o.cellSizeX, o.cellSizeY);
    const GridInjectionTable injection = buildGridInjectionTable(o, table, index);
    literal::GridWalk expected(o, table.cells);
    ASSERT_EQ(injection.count(), expected.count());
    if (injection.count() == 0) continue;
    GridWalk walk(o, table, index, injection);
    random::RandomStream r1(static_cast<std::uint32_t>(trial)),
        r2(static_cast<std::uint32_t>(trial));
    for (int p = 0; p < 200; ++p) {
      const ParticleStop a = walk.trackParticle(r1);
      const ParticleStop e = expected.track(r2);
      ASSERT_EQ(r1.state(), r2.state()) << "trial " << trial << " particle " << p;
      ASSERT_EQ(a.end, e.end);
      testing::expectSameStop(a, e);
      ++tracked;
      arrived += a.end == WalkEnd::Arrived;
      timedOut += a.end == WalkEnd::TimedOut;
      stuck += a.end == WalkEnd::Stuck;
    }
  }
  EXPECT_GT(tracked, 2000);
  EXPECT_GT(arrived, 0);
  EXPECT_GT(timedOut, 0);
  EXPECT_GT(stuck, 0);
}

}  // namespace
}  // namespace fracflow::transport
