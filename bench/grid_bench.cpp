// The grid phase at scale: mapping (crossing list, count, both passes), assembly of the
// sparse system, BiCG iterations against one bare matrix-vector product, and the whole phase.
// Networks: random segments in a 100 m × 100 m domain, lengths 2 to 10 m, any direction.
#include <benchmark/benchmark.h>

#include <random>
#include <sstream>
#include <string>

#include "grid/cell_heads.hpp"
#include "grid/cell_index.hpp"
#include "grid/face_flows.hpp"
#include "grid/flow_system.hpp"
#include "grid/fracture_continuum.hpp"
#include "solvers/bicg.hpp"

namespace {

using namespace fracflow;
using namespace fracflow::grid;

constexpr double kDomain = 100.0;
const FaceHeads kHeads{10.0, 5.0, 5.0, 10.0, 5.0, 0.0, 0.0, 5.0};

GridGeometry gridOf(int cells) {
  return {cells, cells, kDomain / cells, kDomain / cells, kDomain, kDomain};
}

SegmentTable network(int count) {
  std::mt19937 rng(12345);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  SegmentTable segments;
  segments.reserve(static_cast<std::size_t>(count));
  while (static_cast<int>(segments.size()) < count) {
    const double x = unit(rng) * kDomain;
    const double y = unit(rng) * kDomain;
    const double length = 2.0 + 8.0 * unit(rng);
    const double angle = unit(rng) * 3.141592653589793;
    const double x2 = x + length * std::cos(angle);
    const double y2 = y + length * std::sin(angle);
    if (x2 < 0.0 || x2 > kDomain || y2 < 0.0 || y2 > kDomain) continue;
    segments.push_back({0.5 + unit(rng), x, y, x2, y2});
  }
  return segments;
}

CellTable mapped(const GridGeometry& g, const SegmentTable& segments) {
  std::ostringstream quiet;
  io::TextStream console(quiet);
  return mapFractureContinuum(g, kHeads, segments, console);
}

void BM_Mapping(benchmark::State& state) {
  const GridGeometry g = gridOf(static_cast<int>(state.range(0)));
  const SegmentTable segments = network(static_cast<int>(state.range(1)));
  std::size_t active = 0;
  for (auto _ : state) {
    const CellTable t = mapped(g, segments);
    active = t.cells.size();
    benchmark::DoNotOptimize(t.cells.data());
  }
  state.counters["activeCells"] = static_cast<double>(active);
}

void BM_Assembly(benchmark::State& state) {
  const GridGeometry g = gridOf(static_cast<int>(state.range(0)));
  const CellTable t = mapped(g, network(static_cast<int>(state.range(1))));
  std::size_t nonZeros = 0;
  for (auto _ : state) {
    const CellIndex index(t.cells, g.cellx, g.celly, g.cellSizeX, g.cellSizeY);
    const solvers::LinearSystem system = assembleFlowSystem(t, g, index);
    nonZeros = system.A.value.size();
    benchmark::DoNotOptimize(system.b.data());
  }
  state.counters["internalCells"] = static_cast<double>(t.internalCells);
  state.counters["nonZeros"] = static_cast<double>(nonZeros);
}

// The goal: a 500 × 500 grid with 1e5 segments mapped and assembled.
void BM_MappingAndAssembly(benchmark::State& state) {
  const GridGeometry g = gridOf(static_cast<int>(state.range(0)));
  const SegmentTable segments = network(static_cast<int>(state.range(1)));
  for (auto _ : state) {
    const CellTable t = mapped(g, segments);
    const CellIndex index(t.cells, g.cellx, g.celly, g.cellSizeX, g.cellSizeY);
    const solvers::LinearSystem system = assembleFlowSystem(t, g, index);
    benchmark::DoNotOptimize(system.b.data());
  }
}

solvers::LinearSystem systemOf(int cells, int segments) {
  const GridGeometry g = gridOf(cells);
  const CellTable t = mapped(g, network(segments));
  const CellIndex index(t.cells, g.cellx, g.celly, g.cellSizeX, g.cellSizeY);
  return assembleFlowSystem(t, g, index);
}

void BM_MatVec(benchmark::State& state) {
  const solvers::LinearSystem s =
      systemOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const solvers::CsrMatrix& a = s.A;
  std::vector<double> x(s.b.size(), 1.0), y(s.b.size(), 0.0);
  for (auto _ : state) {
    for (int i = 0; i < a.n; ++i) {
      double sum = 0.0;
      for (std::size_t e = a.rowStart[static_cast<std::size_t>(i)];
           e < a.rowStart[static_cast<std::size_t>(i) + 1]; ++e) {
        sum += a.value[e] * x[static_cast<std::size_t>(a.column[e])];
      }
      y[static_cast<std::size_t>(i)] = sum;
    }
    benchmark::DoNotOptimize(y.data());
  }
}

// A fixed number of iterations (the time per iteration), then a solve to 1e-9 for the count.
void BM_BiCGIterations(benchmark::State& state) {
  const solvers::LinearSystem s =
      systemOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  constexpr int kIterations = 100;
  for (auto _ : state) {
    std::ostringstream quiet;
    io::TextStream console(quiet);
    std::vector<double> x(s.b.size(), 0.0);
    benchmark::DoNotOptimize(solvers::solveBiCG(s.A, s.b, x, kIterations, 0.0, console));
  }
  state.counters["timePerIteration"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kIterations,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_BiCGToConvergence(benchmark::State& state) {
  const solvers::LinearSystem s =
      systemOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  std::string log;
  for (auto _ : state) {
    std::ostringstream out;
    {
      io::TextStream console(out);
      std::vector<double> x(s.b.size(), 0.0);
      benchmark::DoNotOptimize(solvers::solveBiCG(s.A, s.b, x, 100000, 1e-9, console));
    }
    log = out.str();
  }
  const std::string tag = "BiCg converged after ";
  const auto at = log.find(tag);
  state.counters["iterations"] =
      at == std::string::npos ? -1.0 : std::stod(log.substr(at + tag.size()));
}

// Mapping, assembly, solve and face flows (no files).
void BM_WholePhase(benchmark::State& state) {
  const GridGeometry g = gridOf(static_cast<int>(state.range(0)));
  const SegmentTable segments = network(static_cast<int>(state.range(1)));
  for (auto _ : state) {
    std::ostringstream quiet;
    io::TextStream console(quiet);
    CellTable t = mapFractureContinuum(g, kHeads, segments, console);
    const CellIndex index(t.cells, g.cellx, g.celly, g.cellSizeX, g.cellSizeY);
    RunOptions options;
    options.maxit = 100000;
    options.tol = 1e-9;
    solveHeads(assembleFlowSystem(t, g, index), t, options, console);
    benchmark::DoNotOptimize(computeFaceFlows(t, g, index));
  }
}

void sizes(benchmark::internal::Benchmark* b) {
  for (const int cells : {100, 500, 1000}) {
    for (const int segments : {10000, 100000}) b->Args({cells, segments});
  }
}

BENCHMARK(BM_Mapping)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Assembly)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MappingAndAssembly)->Args({500, 100000})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatVec)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BiCGIterations)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BiCGToConvergence)
    ->Args({100, 10000})
    ->Args({100, 100000})
    ->Args({500, 100000})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK(BM_WholePhase)
    ->Args({100, 10000})
    ->Args({100, 100000})
    ->Args({500, 100000})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
