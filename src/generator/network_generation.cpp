// Drawing, clipping and splitting. Every point a piece ends at is computed once (a
// fracture end, a face crossing or a crossing of two fractures), grouped with the points
// the simulator could not tell apart, and written as its group's one representative.
#include "generator/network_generation.hpp"

#include <algorithm>
#include <limits>
#include <string>

#include "generator/crossing_search.hpp"
#include "generator/domain_clip.hpp"
#include "generator/fracture_draw.hpp"
#include "generator/point_merge.hpp"
#include "generator/random_source.hpp"
#include "io/check.hpp"
#include "io/error.hpp"
#include "io/number_format.hpp"

namespace fracflow::generator {
namespace {

void report(const ProgressReport& progress, std::string_view text) {
  if (progress) progress(text);
}

// The error for draws that keep no fracture, naming the smallest minimum length drawn.
Error vanishingFractures(const NetworkLaw& law, double draws) {
  std::size_t smallest = 3;
  for (std::size_t s = 0; s < 3; ++s) {
    if (law.sets[s].prob > 0.0 &&
        (smallest == 3 || law.sets[s].minFracL < law.sets[smallest].minFracL)) {
      smallest = s;
    }
  }
  FRACFLOW_CHECK(smallest < 3);
  const SetLaw& set = law.sets[smallest];
  return Error(ErrorKind::Input,
               law.parameterFile + ":" + std::to_string(17 + 8 * static_cast<int>(smallest)) +
                   ": minFracL" + std::to_string(smallest + 1) + ": " +
                   io::formatNumber(draws, io::NumberFormat{io::Notation::General, 12, 0}) +
                   " fractures drawn in a row left none with two distinct ends inside the "
                   "domain: a minimum length of " +
                   io::formatNumber(set.minFracL) + " vanishes beside coordinates up to " +
                   io::formatNumber(std::max(law.domainL, law.domainW)) +
                   "; raise the minimum lengths");
}

}  // namespace

std::vector<Piece> splitFractures(const std::vector<LineSegment>& fractures,
                                  const std::vector<double>& perms, const NetworkLaw& law,
                                  std::size_t* crossingCount) {
  const std::vector<Crossing> crossings = findCrossings(fractures, law.domainL, law.domainW);
  if (crossingCount != nullptr) *crossingCount = crossings.size();
  const std::size_t n = fractures.size();

  // Points 2f and 2f + 1 are the ends of fracture f; point 2n + k is crossing k.
  std::vector<Point> points;
  points.reserve(2 * n + crossings.size());
  for (const LineSegment& s : fractures) {
    points.push_back(s.a);
    points.push_back(s.b);
  }
  for (const Crossing& c : crossings) points.push_back(c.point);
  FRACFLOW_CHECK(points.size() < static_cast<std::size_t>(std::numeric_limits<int>::max()));
  const std::vector<int> representative =
      mergePoints(points, {law.domainL, law.domainW, law.mergeDistance});

  // The crossings along each fracture, by position (then by point index, for ties).
  struct Stop {
    double t;
    int point;
  };
  std::vector<std::size_t> start(n + 1, 0);
  for (const Crossing& c : crossings) {
    ++start[static_cast<std::size_t>(c.first) + 1];
    ++start[static_cast<std::size_t>(c.second) + 1];
  }
  for (std::size_t f = 1; f <= n; ++f) start[f] += start[f - 1];
  std::vector<Stop> stops(start.back());
  std::vector<std::size_t> fill(start.begin(), start.end() - 1);
  for (std::size_t k = 0; k < crossings.size(); ++k) {
    const Crossing& c = crossings[k];
    const int point = static_cast<int>(2 * n + k);
    stops[fill[static_cast<std::size_t>(c.first)]++] = {c.tFirst, point};
    stops[fill[static_cast<std::size_t>(c.second)]++] = {c.tSecond, point};
  }

  std::vector<Piece> pieces;
  pieces.reserve(n + 2 * crossings.size());
  for (std::size_t f = 0; f < n; ++f) {
    const auto begin = stops.begin() + static_cast<std::ptrdiff_t>(start[f]);
    const auto end = stops.begin() + static_cast<std::ptrdiff_t>(start[f + 1]);
    std::sort(begin, end, [](const Stop& a, const Stop& b) {
      return a.t < b.t || (a.t == b.t && a.point < b.point);
    });
    int from = representative[2 * f];
    auto emit = [&](int point) {
      const int to = representative[static_cast<std::size_t>(point)];
      if (to == from) return;  // merged with the previous stop
      pieces.push_back(
          {{points[static_cast<std::size_t>(from)], points[static_cast<std::size_t>(to)]},
           perms[f],
           static_cast<int>(f)});
      from = to;
    };
    for (auto stop = begin; stop != end; ++stop) emit(stop->point);
    emit(static_cast<int>(2 * f + 1));
  }
  return pieces;
}

GeneratedNetwork generateNetwork(const NetworkLaw& law, std::uint64_t seed, int realizationNumber,
                                 const ProgressReport& progress) {
  GeneratedNetwork network;
  RandomSource random = RandomSource::forRealization(seed, realizationNumber);
  const double area = law.domainL * law.domainW;
  std::vector<LineSegment> fractures;
  std::vector<double> perms;
  const double centreArea =
      (law.domainL + 2.0 * law.centreMargin) * (law.domainW + 2.0 * law.centreMargin);
  const double maxRejectedInARow = kRejectedDrawFactor * centreArea / area;
  double rejectedInARow = 0.0;
  report(progress, "drawing fractures");
  while (network.inDomainLength / area < law.fracDen) {
    const FractureDraw draw = drawFracture(random, law);
    const double hx = 0.5 * draw.length * draw.direction.cos;
    const double hy = 0.5 * draw.length * draw.direction.sin;
    const LineSegment whole{{draw.centreX - hx, draw.centreY - hy},
                            {draw.centreX + hx, draw.centreY + hy}};
    const auto inside = clipToDomain(whole, law.domainL, law.domainW);
    if (!inside) {
      rejectedInARow += 1.0;
      if (rejectedInARow > maxRejectedInARow) throw vanishingFractures(law, rejectedInARow);
      continue;
    }
    rejectedInARow = 0.0;
    if (fractures.size() == kMaxFractures) {
      throw Error(ErrorKind::Input, law.parameterFile + ":14: fracDen: a density of " +
                                        io::formatNumber(law.fracDen) + " needs more than " +
                                        std::to_string(kMaxFractures) +
                                        " fractures; lower fracDen or raise the minimum lengths");
    }
    fractures.push_back(*inside);
    perms.push_back(draw.perm);
    network.lastContribution = segmentLength(*inside);
    network.inDomainLength += network.lastContribution;
    if (fractures.size() % 65536 == 0) {
      report(progress, "drawing fractures: " + std::to_string(fractures.size()));
    }
  }
  network.drawnInDomain = fractures.size();
  report(progress,
         "splitting " + std::to_string(fractures.size()) + " fractures at their crossings");
  network.pieces = splitFractures(fractures, perms, law, &network.crossingCount);

  for (std::size_t i = 0; i < network.pieces.size(); ++i) {
    if (i == 0 || network.pieces[i].fracture != network.pieces[i - 1].fracture) {
      ++network.fractureCount;
    }
  }
  return network;
}

double pieceDensity(const std::vector<Piece>& pieces, const NetworkLaw& law) {
  double total = 0.0;
  for (const Piece& p : pieces) total += segmentLength(p.segment);
  return total / (law.domainL * law.domainW);
}

}  // namespace fracflow::generator
