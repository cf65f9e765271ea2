// Test systems for the solvers: flow-like sparse matrices (grid Laplacians, random networks
// with stored zeros, indefinite and unsymmetric patterns), and a runner that keeps the flag,
// the iterate and the console text of one solve.
#pragma once

#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "io/text_stream.hpp"
#include "solvers/csr_builder.hpp"
#include "solvers/csr_matrix.hpp"
#include "solvers/dense_matrix.hpp"
#include "solvers/solve_report.hpp"

namespace fracflow::solvers::testing {

// The 5-point grid operator of nx x ny cells with unit conductances, negative diagonal, and
// the cells on the rim also coupled to a fixed-head boundary (so it is definite).
inline CsrMatrix gridLaplacian(int nx, int ny) {
  CsrBuilder builder(nx * ny);
  for (int cy = 0; cy < ny; ++cy) {
    for (int cx = 0; cx < nx; ++cx) {
      builder.beginRow();
      const int row = cy * nx + cx;
      const int neighbours[4][2] = {{cx, cy + 1}, {cx + 1, cy}, {cx, cy - 1}, {cx - 1, cy}};
      for (const auto& [mx, my] : neighbours) {
        if (mx >= 0 && mx < nx && my >= 0 && my < ny) builder.set(my * nx + mx, 1.0);
        builder.subtract(row, 1.0);
      }
      builder.endRow();
    }
  }
  return builder.finish();
}

struct RandomSystemOptions {
  int n = 50;
  double meanDegree = 3.0;     // off-diagonal entries per row, on average
  double storedZeros = 0.0;    // share of couplings stored with the value 0
  double boundaryShare = 0.2;  // share of rows also coupled to a fixed-head boundary
  bool indefinite = false;     // random signs on the diagonal and the couplings
  bool unsymmetric = false;    // (i, j) and (j, i) drawn independently
  std::uint64_t seed = 1;
};

// A network-like sparse system: random couplings of random size, the diagonal minus their sum
// (and minus a boundary term on some rows) unless indefinite is asked for.
inline CsrMatrix randomSystem(const RandomSystemOptions& options) {
  std::mt19937_64 engine(options.seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::uniform_int_distribution<int> anyRow(0, options.n - 1);
  const auto edges = static_cast<long>(options.meanDegree * options.n / 2.0);

  std::vector<std::vector<std::pair<int, double>>> couplings(static_cast<std::size_t>(options.n));
  for (long e = 0; e < edges; ++e) {
    const int i = anyRow(engine);
    const int j = anyRow(engine);
    if (i == j) continue;
    double c = 1e-3 * (0.1 + unit(engine));
    if (options.indefinite && unit(engine) < 0.5) c = -c;
    if (unit(engine) < options.storedZeros) c = 0.0;
    couplings[static_cast<std::size_t>(i)].emplace_back(j, c);
    const double back = options.unsymmetric ? 1e-3 * (0.1 + unit(engine)) : c;
    couplings[static_cast<std::size_t>(j)].emplace_back(i, back);
  }

  CsrBuilder builder(options.n);
  for (int i = 0; i < options.n; ++i) {
    builder.beginRow();
    for (const auto& [j, c] : couplings[static_cast<std::size_t>(i)]) {
      builder.set(j, c);  // a repeated pair keeps the later value, as the assemblies do
      builder.subtract(i, options.indefinite ? c * (unit(engine) - 0.5) : c);
    }
    if (unit(engine) < options.boundaryShare) builder.subtract(i, 1e-3 * unit(engine));
    builder.endRow();
  }
  return builder.finish();
}

// The diagonal matrix with the given entries.
inline DenseMatrix diagonal(const std::vector<double>& d) {
  DenseMatrix A(static_cast<int>(d.size()));
  for (int i = 0; i < A.n; ++i) A.at(i, i) = d[static_cast<std::size_t>(i)];
  return A;
}

inline std::vector<double> randomVector(int n, std::uint64_t seed, double scale = 1.0) {
  std::mt19937_64 engine(seed);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  std::vector<double> values(static_cast<std::size_t>(n));
  for (double& value : values) value = scale * unit(engine);
  return values;
}

struct Outcome {
  int flag = -1;       // 0 converged, 1 not, as the literal forms return it
  SolveReport report;  // what the solver reported (the literal forms report nothing)
  std::vector<double> x;
  std::string console;
};

// Runs solve(x, console) on a copy of the start vector and keeps what it printed.
template <typename Solve>
Outcome capture(std::vector<double> x, Solve solve) {
  std::ostringstream out;
  Outcome outcome;
  {
    io::TextStream console(out);
    const auto result = solve(x, console);
    if constexpr (std::is_same_v<std::decay_t<decltype(result)>, SolveReport>) {
      outcome.report = result;
      outcome.flag = result.converged ? 0 : 1;
    } else {
      outcome.flag = result;
    }
  }
  outcome.x = std::move(x);
  outcome.console = out.str();
  return outcome;
}

}  // namespace fracflow::solvers::testing
