// fracgen's cost from 10^3 to 10^5 fractures: a whole realization (drawing, clipping,
// crossing search, node merging, splitting), the crossing search alone, and the writing of
// the network data file. The population keeps about four crossings per fracture at every
// size: short fractures (power law, alpha 2.5, uniform orientations) at a density that
// grows with the count, in a 100 x 100 domain.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "generator/crossing_search.hpp"
#include "generator/domain_clip.hpp"
#include "generator/network_file.hpp"
#include "generator/network_generation.hpp"
#include "generator/network_law.hpp"

namespace {

using namespace fracflow::generator;

constexpr double kSide = 100.0;

NetworkLaw lawFor(double fractures) {
  fracflow::RunOptions options;
  options.domainL = kSide;
  options.domainW = kSide;
  const double area = kSide * kSide;
  const double minLength = 1.5 * std::sqrt(area / fractures);
  // Mean length of the power law with alpha 2.5: 2.5 / 1.5 of the minimum.
  options.fracDen = fractures * (2.5 / 1.5) * minLength / area;
  options.sets[0] = {1.0, minLength, 2.5, 0.0, 0.0, 0.0, 0.5};
  return makeNetworkLaw(options, "bench");
}

void BM_GenerateNetwork(benchmark::State& state) {
  const NetworkLaw law = lawFor(static_cast<double>(state.range(0)));
  GeneratedNetwork net;
  for (auto _ : state) {
    net = generateNetwork(law, 1, 1);
    benchmark::DoNotOptimize(net.pieces.data());
  }
  state.counters["fractures"] = static_cast<double>(net.drawnInDomain);
  state.counters["crossings"] = static_cast<double>(net.crossingCount);
  state.counters["pieces"] = static_cast<double>(net.pieces.size());
}
BENCHMARK(BM_GenerateNetwork)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_FindCrossings(benchmark::State& state) {
  const NetworkLaw law = lawFor(static_cast<double>(state.range(0)));
  // The clipped fractures of one realization, without their splitting.
  const GeneratedNetwork net = generateNetwork(law, 1, 1);
  std::vector<LineSegment> fractures;
  for (std::size_t i = 0; i < net.pieces.size(); ++i) {
    const Piece& p = net.pieces[i];
    if (i == 0 || net.pieces[i - 1].fracture != p.fracture) {
      fractures.push_back(p.segment);
    } else {
      fractures.back().b = p.segment.b;
    }
  }
  std::size_t found = 0;
  for (auto _ : state) {
    const std::vector<Crossing> crossings = findCrossings(fractures, kSide, kSide);
    found = crossings.size();
    benchmark::DoNotOptimize(crossings.data());
  }
  state.counters["fractures"] = static_cast<double>(fractures.size());
  state.counters["crossings"] = static_cast<double>(found);
}
BENCHMARK(BM_FindCrossings)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_WriteNetworkFile(benchmark::State& state) {
  const GeneratedNetwork net = generateNetwork(lawFor(static_cast<double>(state.range(0))), 1, 1);
  const std::string path =
      (std::filesystem::temp_directory_path() / "fracgen_bench_Network_data.txt").string();
  for (auto _ : state) writeNetworkFile(path, net.pieces);
  state.counters["pieces"] = static_cast<double>(net.pieces.size());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(std::filesystem::file_size(path)));
  std::filesystem::remove(path);
}
BENCHMARK(BM_WriteNetworkFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
