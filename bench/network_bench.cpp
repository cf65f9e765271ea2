// The network phases from the text of a network data file to the node table: reading and
// clipping, boundary-to-boundary reordering, segments, the tiny-segment pass, the density and
// both node scans, on synthetic networks of 1e4, 1e5 and 1e6 segments; and the node scans
// on networks whose end points coincide by the thousand.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>

#include "network/boundary_fractures.hpp"
#include "network/fracture_input.hpp"
#include "network/nodes.hpp"
#include "network/segments.hpp"
#include "network/tiny_segments.hpp"

namespace {

using namespace fracflow;

void appendShortest(std::string& out, double v) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
  out.append(buffer, result.ptr);
}

// Fractures cut into pieces that share their end points exactly (as a generator that cuts
// fractures at their intersections writes them), fractures ending on existing points, a few
// tiny pieces, and fractures reaching beyond the faces. The domain grows with the count so
// that the density stays that of a typical study.
struct Study {
  RunOptions options;
  std::string text;
};

Study makeStudy(int segments) {
  Study study;
  const double side = 2.0 * std::sqrt(static_cast<double>(segments));
  RunOptions& o = study.options;
  o.domainL = side;
  o.domainW = side;
  o.tf1 = o.tf2 = 100.0;
  o.bf1 = o.bf2 = 0.0;
  o.lf1 = 0.0;
  o.lf2 = 100.0;
  o.rf1 = 0.0;
  o.rf2 = 100.0;
  o.meet_fracs = segments;
  std::mt19937_64 rng(12345);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<std::pair<double, double>> points;
  auto line = [&](double x1, double y1, double x2, double y2, double perm) {
    appendShortest(study.text, x1);
    study.text += ' ';
    appendShortest(study.text, y1);
    study.text += ' ';
    appendShortest(study.text, x2);
    study.text += ' ';
    appendShortest(study.text, y2);
    study.text += ' ';
    appendShortest(study.text, perm);
    study.text += '\n';
  };
  int written = 0;
  while (written < segments) {
    const double perm = std::pow(10.0, -1.0 + unit(rng));
    if (!points.empty() && unit(rng) < 0.3) {
      // A fracture ending on a point already in the network, its other end free.
      const auto a =
          points[static_cast<std::size_t>(unit(rng) * static_cast<double>(points.size()))];
      const double turn = unit(rng) * 6.283185307179586;
      const double reach = 1.0 + 5.0 * unit(rng);
      line(a.first, a.second, a.first + reach * std::cos(turn), a.second + reach * std::sin(turn),
           perm);
      ++written;
      continue;
    }
    const double angle = unit(rng) * 3.141592653589793;
    const double length = 3.0 + 10.0 * unit(rng);
    const double cx = unit(rng) * side;
    const double cy = unit(rng) * side;
    const double dx = std::cos(angle) * length;
    const double dy = std::sin(angle) * length;
    const int pieces = 1 + static_cast<int>(unit(rng) * 6);
    double px = cx - 0.5 * dx;
    double py = cy - 0.5 * dy;
    double t = 0.0;
    for (int k = 0; k < pieces && written < segments; ++k) {
      double step = (1.0 - t) / static_cast<double>(pieces - k);
      if (unit(rng) < 1e-3) step = 0.5e-5 * side / length;  // a tiny piece
      t = k + 1 == pieces ? 1.0 : t + step;
      const double nx = cx - 0.5 * dx + t * dx;
      const double ny = cy - 0.5 * dy + t * dy;
      line(px, py, nx, ny, perm);
      points.emplace_back(nx, ny);
      px = nx;
      py = ny;
      ++written;
    }
  }
  return study;
}

void NetworkPhases(benchmark::State& state) {
  const Study study = makeStudy(static_cast<int>(state.range(0)));
  const RunOptions& o = study.options;
  for (auto _ : state) {
    network::FractureReading reading = network::readFractures(study.text, "Network_data.0001.txt",
                                                              o.meet_fracs, o.domainL, o.domainW);
    FractureTable fractures = std::move(reading.fractures);
    benchmark::DoNotOptimize(
        network::moveBoundaryFracturesToFront(fractures, o.domainL, o.domainW));
    SegmentTable segments = network::buildSegments(std::move(fractures));
    const network::TinySegmentPass pass = network::removeTinySegments(segments, o.domainL);
    if (pass.tooTiny) state.SkipWithError("a segment too short to keep");
    benchmark::DoNotOptimize(network::segmentDensity(segments, o.domainL, o.domainW));
    const network::DistinctPoints endPoints(network::segmentEndPoints(segments));
    const NodeTable nodes = network::buildNodes(endPoints, o);
    const network::NodeCount count = network::countNodes(endPoints, o.domainL, o.domainW);
    state.counters["segments"] = static_cast<double>(segments.size());
    state.counters["removed"] = pass.absentFracs;
    state.counters["nodes"] = nodes.totalNodes();
    state.counters["countAgrees"] = count.internalNodes == nodes.internalNodes ? 1 : 0;
  }
}
BENCHMARK(NetworkPhases)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Each phase alone, on the segments of the 1e6 study.
const Study& study1e6() {
  static const Study study = makeStudy(1000000);
  return study;
}
const SegmentTable& segments1e6() {
  static const SegmentTable segments = [] {
    const RunOptions& o = study1e6().options;
    SegmentTable s =
        network::readFractures(study1e6().text, "n", o.meet_fracs, o.domainL, o.domainW).fractures;
    network::removeTinySegments(s, o.domainL);
    return s;
  }();
  return segments;
}

void ReadFractures(benchmark::State& state) {
  const RunOptions& o = study1e6().options;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        network::readFractures(study1e6().text, "n", o.meet_fracs, o.domainL, o.domainW));
  }
}
void TinySegmentPass(benchmark::State& state) {
  const RunOptions& o = study1e6().options;
  for (auto _ : state) {
    state.PauseTiming();
    SegmentTable s = segments1e6();
    state.ResumeTiming();
    benchmark::DoNotOptimize(network::removeTinySegments(s, o.domainL).absentFracs);
  }
}
void BuildNodes(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(network::buildNodes(segments1e6(), study1e6().options));
  }
}
void CountNodes(benchmark::State& state) {
  const RunOptions& o = study1e6().options;
  for (auto _ : state) {
    benchmark::DoNotOptimize(network::countNodes(segments1e6(), o.domainL, o.domainW));
  }
}
// Copies of one fracture and a star of fractures from one interior point: the end points
// coincide by the thousand, and both node scans must stay near-linear in the copies.
void CoincidentEndPoints(benchmark::State& state) {
  RunOptions o;
  o.domainL = 100.0;
  o.domainW = 100.0;
  const auto copies = static_cast<int>(state.range(0));
  SegmentTable segments;
  for (int k = 0; k < copies; ++k) {
    segments.push_back({1.0, 20.0, 20.0, 60.0, 70.0});
    segments.push_back({1.0, 40.0, 40.0, 40.0 + 50.0 * k / copies, 100.0});
  }
  for (auto _ : state) {
    const network::DistinctPoints endPoints(network::segmentEndPoints(segments));
    const NodeTable nodes = network::buildNodes(endPoints, o);
    const network::NodeCount count = network::countNodes(endPoints, o.domainL, o.domainW);
    state.counters["nodes"] = nodes.totalNodes();
    state.counters["countAgrees"] = count.internalNodes == nodes.internalNodes ? 1 : 0;
  }
}
BENCHMARK(CoincidentEndPoints)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

BENCHMARK(ReadFractures)->Unit(benchmark::kMillisecond);
BENCHMARK(TinySegmentPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildNodes)->Unit(benchmark::kMillisecond);
BENCHMARK(CountNodes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
