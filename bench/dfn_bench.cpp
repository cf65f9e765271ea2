// The DFN phase on jittered-lattice networks of about 1e4 and 1e5 segments: the whole phase
// (assembly, MINRES, backbone and its files), the assembly alone, the MINRES solve with its
// iteration count and time per iteration, and one bare sparse matrix-vector product of the
// same matrix (the floor of an iteration).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/dfn_phase.hpp"
#include "dfn/flow_system.hpp"
#include "dfn/start_vector.hpp"
#include "io/text_stream.hpp"
#include "network/node.hpp"
#include "network/segment.hpp"
#include "options/run_options.hpp"
#include "solvers/minres.hpp"

namespace {

using namespace fracflow;

RunOptions benchOptions() {
  RunOptions o;
  o.domainL = 100.0;
  o.domainW = 100.0;
  o.cellx = 50;
  o.celly = 50;
  o.cellSizeX = 2.0;
  o.cellSizeY = 2.0;
  // Heads falling from the top (1) to the bottom (0), the side faces linear in between.
  o.tf1 = o.tf2 = 1.0;
  o.bf1 = o.bf2 = 0.0;
  o.lf1 = o.rf1 = 0.0;
  o.lf2 = o.rf2 = 1.0;
  o.sink = 2;
  o.dfncp = 1;
  o.dfnfl = 2;  // a dense dump of 1e5 x 1e5 entries would be 1.5e11 bytes
  o.bbone = 1;
  o.dfndt = 1;
  o.dfntr = 2;
  o.maxit = 100000;
  o.tol = 1e-6;
  return o;
}

struct Network {
  SegmentTable segments;
  NodeTable nodes;
};

// An m x m lattice of points over the domain, interior points jittered by up to 0.3 of the
// spacing, joined to their right and upper neighbours with probability 0.9 by segments of
// random perm. Every end point on a face is its own boundary node, as the node builder
// gives them.
Network latticeNetwork(int targetSegments, const RunOptions& o) {
  const int m = static_cast<int>(std::ceil(std::sqrt(targetSegments / 1.8))) + 1;
  const double h = o.domainL / (m - 1);
  std::mt19937_64 rng(2024);
  std::uniform_real_distribution<double> jitter(-0.3 * h, 0.3 * h);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::lognormal_distribution<double> perm(0.0, 1.0);
  std::vector<double> px(static_cast<std::size_t>(m) * static_cast<std::size_t>(m));
  std::vector<double> py(px.size());
  auto at = [m](int i, int j) {
    return static_cast<std::size_t>(i) * static_cast<std::size_t>(m) + static_cast<std::size_t>(j);
  };
  for (int i = 0; i < m; ++i) {
    for (int j = 0; j < m; ++j) {
      const bool edgeX = i == 0 || i == m - 1;
      const bool edgeY = j == 0 || j == m - 1;
      px[at(i, j)] = i == m - 1 ? o.domainL : i * h + (edgeX || edgeY ? 0.0 : jitter(rng));
      py[at(i, j)] = j == m - 1 ? o.domainW : j * h + (edgeX || edgeY ? 0.0 : jitter(rng));
    }
  }
  Network net;
  for (int i = 0; i < m; ++i) {
    for (int j = 0; j < m; ++j) {
      // Segments along a face would join two boundary nodes and carry nothing to solve.
      if (i + 1 < m && j > 0 && j < m - 1 && unit(rng) < 0.9) {
        net.segments.push_back(
            {perm(rng), px[at(i, j)], py[at(i, j)], px[at(i + 1, j)], py[at(i + 1, j)]});
      }
      if (j + 1 < m && i > 0 && i < m - 1 && unit(rng) < 0.9) {
        net.segments.push_back(
            {perm(rng), px[at(i, j)], py[at(i, j)], px[at(i, j + 1)], py[at(i, j + 1)]});
      }
    }
  }
  auto onFace = [&](double x, double y) {
    return x == 0 || x == o.domainL || y == 0 || y == o.domainW;
  };
  auto faceHead = [&](double x, double y) {
    if (y == o.domainW) return o.tf1 + (o.tf2 - o.tf1) * (x / o.domainL);
    if (x == o.domainL) return o.rf1 + (o.rf2 - o.rf1) * (y / o.domainW);
    if (y == 0) return o.bf1 + (o.bf2 - o.bf1) * (x / o.domainL);
    return o.lf1 + (o.lf2 - o.lf1) * (y / o.domainW);
  };
  std::vector<Node> internal;
  std::vector<bool> seen(px.size(), false);
  for (const Segment& s : net.segments) {
    for (const auto& [x, y] : {std::pair{s.x1, s.y1}, std::pair{s.x2, s.y2}}) {
      if (onFace(x, y)) {
        net.nodes.nodes.push_back({faceHead(x, y), x, y});
        continue;
      }
      const auto i = static_cast<int>(std::lround(x / h));
      const auto j = static_cast<int>(std::lround(y / h));
      if (seen[at(i, j)]) continue;
      seen[at(i, j)] = true;
      internal.push_back({0.0, x, y});
    }
  }
  net.nodes.boundaryNodes = static_cast<int>(net.nodes.nodes.size());
  net.nodes.internalNodes = static_cast<int>(internal.size());
  net.nodes.nodes.insert(net.nodes.nodes.end(), internal.begin(), internal.end());
  return net;
}

// The steps reported by "MINRES converged after K steps" (K is one more than the steps).
int minresSteps(const std::string& console) {
  const std::string label = "MINRES converged after ";
  const auto at = console.rfind(label);
  return at == std::string::npos ? -1 : std::stoi(console.substr(at + label.size())) - 1;
}

void addNetworkCounters(benchmark::State& state, const Network& net) {
  state.counters["segments"] = static_cast<double>(net.segments.size());
  state.counters["internalNodes"] = net.nodes.internalNodes;
}

void BM_DfnPhase(benchmark::State& state) {
  const RunOptions options = benchOptions();
  const Network net = latticeNetwork(static_cast<int>(state.range(0)), options);
  const auto dir = std::filesystem::temp_directory_path() / "fracflow_dfn_bench";
  std::filesystem::create_directories(dir);
  std::ostringstream log;
  std::ostringstream diagnostics;
  for (auto _ : state) {
    log.str("");
    io::TextStream console(log);
    const app::RealizationSetup setup{1, console, diagnostics, {}, dir};
    app::Realization realization(setup);
    NodeTable nodes = net.nodes;
    app::runDfnFlow(options, realization, net.segments, nodes, dfn::WellNodes{},
                    static_cast<int>(net.segments.size()));
    console.flush();
  }
  std::filesystem::remove_all(dir);
  addNetworkCounters(state, net);
  state.counters["minresSteps"] = minresSteps(log.str());
}

void BM_Assembly(benchmark::State& state) {
  const Network net = latticeNetwork(static_cast<int>(state.range(0)), benchOptions());
  for (auto _ : state) {
    benchmark::DoNotOptimize(dfn::assembleFlowSystem(net.segments, net.nodes, dfn::WellNodes{}));
  }
  addNetworkCounters(state, net);
}

void BM_MinresSolve(benchmark::State& state) {
  const RunOptions options = benchOptions();
  const Network net = latticeNetwork(static_cast<int>(state.range(0)), options);
  const solvers::LinearSystem system =
      dfn::assembleFlowSystem(net.segments, net.nodes, dfn::WellNodes{});
  const std::vector<double> start = dfn::startVector(net.nodes, options);
  std::ostringstream log;
  int steps = 0;
  for (auto _ : state) {
    log.str("");
    io::TextStream console(log);
    std::vector<double> x = start;
    solvers::solveMINRES(system.A, system.b, x, options.maxit, options.tol, console);
    console.flush();
    steps = minresSteps(log.str());
  }
  addNetworkCounters(state, net);
  state.counters["minresSteps"] = steps;
  state.counters["timePerStep"] =
      benchmark::Counter(static_cast<double>(steps) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// y = A x row by row, each row summed from its first stored column upward.
void BM_BareMatVec(benchmark::State& state) {
  const RunOptions options = benchOptions();
  const Network net = latticeNetwork(static_cast<int>(state.range(0)), options);
  const solvers::LinearSystem system =
      dfn::assembleFlowSystem(net.segments, net.nodes, dfn::WellNodes{});
  const solvers::CsrMatrix& A = system.A;
  const std::vector<double> x = dfn::startVector(net.nodes, options);
  std::vector<double> y(x.size());
  for (auto _ : state) {
    for (int i = 0; i < A.n; ++i) {
      double sum = 0.0;
      for (std::size_t k = A.rowStart[static_cast<std::size_t>(i)];
           k < A.rowStart[static_cast<std::size_t>(i) + 1]; ++k) {
        sum += A.value[k] * x[static_cast<std::size_t>(A.column[k])];
      }
      y[static_cast<std::size_t>(i)] = sum;
    }
    benchmark::DoNotOptimize(y.data());
    benchmark::ClobberMemory();
  }
  addNetworkCounters(state, net);
}

BENCHMARK(BM_DfnPhase)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Assembly)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MinresSolve)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareMatVec)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
