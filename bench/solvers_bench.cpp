// The cost of one MINRES step and one BiCG iteration against one bare compressed-row product of
// the same matrix (an iteration's floor), on grid-like and network-like flow matrices.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <ostream>
#include <random>
#include <streambuf>
#include <utility>
#include <vector>

#include "io/text_stream.hpp"
#include "solvers/bicg.hpp"
#include "solvers/csr_builder.hpp"
#include "solvers/csr_matrix.hpp"
#include "solvers/minres.hpp"

namespace {

using fracflow::solvers::CsrBuilder;
using fracflow::solvers::CsrMatrix;

// The 5-point grid operator of side x side cells, negative diagonal, rim cells tied to a
// fixed-head boundary: the shape of the grid flow system.
CsrMatrix gridMatrix(int side) {
  CsrBuilder builder(side * side,
                     static_cast<std::size_t>(side) * static_cast<std::size_t>(side) * 5);
  for (int cy = 0; cy < side; ++cy) {
    for (int cx = 0; cx < side; ++cx) {
      builder.beginRow();
      const int row = cy * side + cx;
      const int neighbours[4][2] = {{cx, cy + 1}, {cx + 1, cy}, {cx, cy - 1}, {cx - 1, cy}};
      for (const auto& [mx, my] : neighbours) {
        if (mx >= 0 && mx < side && my >= 0 && my < side) builder.set(my * side + mx, 0.01);
        builder.subtract(row, 0.01);
      }
      builder.endRow();
    }
  }
  return builder.finish();
}

// A network-like system: random couplings (about 3.5 per row, with no locality, the worst
// case for the product's gathers), the diagonal minus their sum and a small boundary term.
CsrMatrix networkMatrix(int n) {
  std::mt19937_64 engine(2024);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::uniform_int_distribution<int> anyRow(0, n - 1);
  std::vector<std::vector<std::pair<int, double>>> couplings(static_cast<std::size_t>(n));
  const long edges = static_cast<long>(1.75 * n);
  for (long e = 0; e < edges; ++e) {
    const int i = anyRow(engine);
    const int j = anyRow(engine);
    if (i == j) continue;
    const double c = 1e-3 * (0.1 + unit(engine));
    couplings[static_cast<std::size_t>(i)].emplace_back(j, c);
    couplings[static_cast<std::size_t>(j)].emplace_back(i, c);
  }
  CsrBuilder builder(n);
  for (int i = 0; i < n; ++i) {
    builder.beginRow();
    for (const auto& [j, c] : couplings[static_cast<std::size_t>(i)]) {
      builder.set(j, c);
      builder.subtract(i, c);
    }
    builder.subtract(i, 1e-5 * unit(engine));
    builder.endRow();
  }
  return builder.finish();
}

const CsrMatrix& matrix(int kind, int size) {
  // Built once per (kind, size) for the whole benchmark run; map nodes do not move.
  static std::map<std::pair<int, int>, CsrMatrix> built;
  auto found = built.find({kind, size});
  if (found == built.end()) {
    found =
        built
            .emplace(std::make_pair(kind, size), kind == 0 ? gridMatrix(size) : networkMatrix(size))
            .first;
  }
  return found->second;
}

std::vector<double> rightHandSide(int n) {
  std::mt19937_64 engine(7);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  std::vector<double> b(static_cast<std::size_t>(n));
  for (double& value : b) value = unit(engine);
  return b;
}

struct NullBuffer : std::streambuf {
  int overflow(int c) override { return c; }
};

constexpr int kSteps = 200;

// Arguments: kind (0 grid, side; 1 network, rows) and size.
void MatVec(benchmark::State& state) {
  const CsrMatrix& A = matrix(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const std::vector<double> x = rightHandSide(A.n);
  std::vector<double> y(x.size());
  for (auto _ : state) {
    fracflow::solvers::multiply(A, x, y);
    benchmark::DoNotOptimize(y.data());
    benchmark::ClobberMemory();
  }
  state.counters["rows"] = A.n;
  state.counters["entries"] = static_cast<double>(A.value.size());
}

void MinresStep(benchmark::State& state) {
  const CsrMatrix& A = matrix(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const std::vector<double> b = rightHandSide(A.n);
  NullBuffer nullBuffer;
  std::ostream nowhere(&nullBuffer);
  fracflow::io::TextStream console(nowhere);
  for (auto _ : state) {
    std::vector<double> x(b.size(), 0.0);
    // tol 0: exactly kSteps steps, never an early stop.
    benchmark::DoNotOptimize(fracflow::solvers::solveMINRES(A, b, x, kSteps, 0.0, console));
  }
  state.counters["step"] = benchmark::Counter(
      kSteps, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BicgIteration(benchmark::State& state) {
  const CsrMatrix& A = matrix(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const std::vector<double> b = rightHandSide(A.n);
  NullBuffer nullBuffer;
  std::ostream nowhere(&nullBuffer);
  fracflow::io::TextStream console(nowhere);
  for (auto _ : state) {
    std::vector<double> x(b.size(), 0.0);
    benchmark::DoNotOptimize(fracflow::solvers::solveBiCG(A, b, x, kSteps, 0.0, console));
  }
  state.counters["iteration"] = benchmark::Counter(
      kSteps, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BuildGrid(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(gridMatrix(side).value.data());
  state.counters["row"] = benchmark::Counter(
      static_cast<double>(side) * side,
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void sizes(benchmark::internal::Benchmark* b) {
  b->Args({0, 100})->Args({0, 316})->Args({1, 10000})->Args({1, 100000});
  b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(MatVec)->Apply(sizes);
BENCHMARK(MinresStep)->Apply(sizes);
BENCHMARK(BicgIteration)->Apply(sizes);
BENCHMARK(BuildGrid)->Arg(316)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
