// Building the network injection table.
#include "transport/network_injection.hpp"

#include <cstddef>
#include <utility>

#include "transport/network_candidates.hpp"

namespace fracflow::transport {
namespace {

// (n − 1)·size for a 1-based grid-line number n, formed without integer overflow.
double gridLine(int number, double size) {
  return static_cast<double>(static_cast<long long>(number) - 1) * size;
}

}  // namespace

bool inNetworkInjectionWindow(const RunOptions& options, double px, double py) {
  return gridLine(options.scellx, options.cellSizeX) <= px &&
         px <= gridLine(options.ecellx, options.cellSizeX) &&
         gridLine(options.scelly, options.cellSizeY) <= py &&
         py <= gridLine(options.ecelly, options.cellSizeY);
}

NetworkInjectionTable buildNetworkInjectionTable(const RunOptions& options,
                                                 const Backbone& backbone) {
  NetworkInjectionTable table;
  for (std::size_t k = 0; k < backbone.segments.size(); ++k) {
    const Segment& s = backbone.segments[k];
    const double h1 = backbone.head1[k];
    const double h2 = backbone.head2[k];
    const int segment = static_cast<int>(k);
    if (inNetworkInjectionWindow(options, s.x1, s.y1) && h1 > h2) {
      table.records.push_back(
          {s.x1, s.y1, s.x2, s.y2, segmentFlow(h1, h2, s.perm, segmentLength(s)), 2 * segment + 1});
    }
    if (inNetworkInjectionWindow(options, s.x2, s.y2) && h2 > h1) {
      table.records.push_back(
          {s.x2, s.y2, s.x1, s.y1, segmentFlow(h2, h1, s.perm, segmentLength(s)), 2 * segment});
    }
  }
  const int n = table.count();
  std::vector<double> bounds(static_cast<std::size_t>(n) + 1, 0.0);
  for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
    bounds[i + 1] = bounds[i] + 1.0 / static_cast<double>(n);
  }
  table.bounds = InjectionBounds(std::move(bounds));
  return table;
}

}  // namespace fracflow::transport
