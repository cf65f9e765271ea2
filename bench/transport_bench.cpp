// Particle transport at scale: 10^5 particles on a backbone of about 10^5 segments and on a
// fully active 500 × 500 grid, each run through its whole transport step (tables, walks and
// files) in a temporary folder.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>

#include "dfn/backbone.hpp"
#include "grid/cell.hpp"
#include "io/output_file.hpp"
#include "io/text_stream.hpp"
#include "network/node.hpp"
#include "options/run_options.hpp"
#include "random/random_stream.hpp"
#include "transport/grid_transport.hpp"
#include "transport/network_transport.hpp"

namespace {

using namespace fracflow;

constexpr int kParticles = 100000;

RunOptions benchOptions(int cells) {
  RunOptions o;
  o.domainL = o.domainW = 1000.0;
  o.cellx = o.celly = cells;
  o.cellSizeX = o.domainL / o.cellx;
  o.cellSizeY = o.domainW / o.celly;
  o.totalparticles = kParticles;
  o.bcsize = 100;
  o.bcstep = 1000000;
  o.dfntr = o.grdtr = 1;
  return o;
}

// A fresh temporary folder for the files the transport steps write.
class TempFolder {
 public:
  TempFolder() {
    folder_ = std::filesystem::temp_directory_path() /
              ("fracflow_transport_bench_" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder_);
  }
  ~TempFolder() { std::filesystem::remove_all(folder_); }
  std::filesystem::path operator/(const char* name) const { return folder_ / name; }

 private:
  std::filesystem::path folder_;
};

// A square lattice of 224 × 224 nodes joined along rows and columns (99 904 segments), with a
// spacing that is no binary fraction and heads falling to the right with a wavy tilt, so that
// particles branch at most nodes on their way from the left face. The segments are shuffled,
// as a backbone taken over from a fracture list has no spatial order.
Backbone latticeBackbone(int n) {
  Backbone b;
  const double spacing = 1000.0 / (n - 1);
  std::mt19937_64 gen(1);
  std::uniform_real_distribution<double> noise(0.0, 0.2);
  std::vector<double> head(static_cast<std::size_t>(n * n));
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      head[static_cast<std::size_t>(i * n + j)] =
          (n - i) * 1.0 + 0.3 * std::sin(j * 0.2) * (n - j) / n + noise(gen);
    }
  }
  auto add = [&](int i, int j, int k, int l) {
    b.segments.push_back({1000.0, i * spacing, j * spacing, k * spacing, l * spacing});
    b.head1.push_back(head[static_cast<std::size_t>(i * n + j)]);
    b.head2.push_back(head[static_cast<std::size_t>(k * n + l)]);
  };
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      if (i + 1 < n) add(i, j, i + 1, j);
      if (j + 1 < n) add(i, j, i, j + 1);
    }
  }
  std::vector<std::size_t> order(b.segments.size());
  for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
  std::shuffle(order.begin(), order.end(), gen);
  Backbone shuffled;
  for (std::size_t k : order) {
    shuffled.segments.push_back(b.segments[k]);
    shuffled.head1.push_back(b.head1[k]);
    shuffled.head2.push_back(b.head2[k]);
  }
  return shuffled;
}

void NetworkTransport(benchmark::State& state) {
  const TempFolder folder;
  RunOptions o = benchOptions(100);
  o.scellx = o.ecellx = 1;  // the left face
  o.scelly = 1;
  o.ecelly = 101;
  const Backbone backbone = latticeBackbone(224);
  NodeTable nodes;
  std::ostringstream sink;
  io::TextStream console(sink);
  for (auto _ : state) {
    random::RandomStream random(random::realizationSeed(1));
    transport::trackNetworkParticles(o, backbone, random, console,
                                     folder / "Particles_last_location.0001.txt",
                                     folder / "DFN_bcrv.0001.txt", false);
    benchmark::DoNotOptimize(random.state());
  }
  state.counters["segments"] = static_cast<double>(backbone.count());
}
BENCHMARK(NetworkTransport)->Unit(benchmark::kMillisecond)->Iterations(3);

// Every cell of a 500 × 500 grid active, boundary cells first as the grid phase orders them.
CellTable fullGrid(const RunOptions& o) {
  CellTable table;
  std::vector<Cell> internal;
  std::mt19937_64 gen(2);
  std::uniform_real_distribution<double> noise(0.0, 0.5);
  for (int i = 0; i < o.cellx; ++i) {
    for (int j = 0; j < o.celly; ++j) {
      Cell c;
      c.center[0] = (i + 0.5) * o.cellSizeX;
      c.center[1] = (j + 0.5) * o.cellSizeY;
      for (int f = 0; f < 4; ++f) {
        c.faceK[f] = c.kSum[f] = 1.0;
        c.crfactor[f] = 0.9;
      }
      c.head =
          (o.cellx - i) * 1.0 + 0.4 * std::sin(j * 0.05) * (o.celly - j) / o.celly + noise(gen);
      const bool boundary = i == 0 || j == 0 || i == o.cellx - 1 || j == o.celly - 1;
      (boundary ? table.cells : internal).push_back(c);
    }
  }
  table.boundaryCells = static_cast<int>(table.cells.size());
  table.internalCells = static_cast<int>(internal.size());
  table.cells.insert(table.cells.end(), internal.begin(), internal.end());
  return table;
}

void GridTransport(benchmark::State& state) {
  const TempFolder folder;
  RunOptions o = benchOptions(500);
  o.scellx = 2, o.ecellx = 3;  // the second column
  o.scelly = 1, o.ecelly = 501;
  const CellTable table = fullGrid(o);
  std::ostringstream sink;
  io::TextStream console(sink);
  for (auto _ : state) {
    random::RandomStream random(random::realizationSeed(1));
    transport::trackGridParticles(o, table, random, console, folder / "Grd_bcrv.0001.txt", false);
    benchmark::DoNotOptimize(random.state());
  }
  state.counters["cells"] = static_cast<double>(table.cells.size());
}
BENCHMARK(GridTransport)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
