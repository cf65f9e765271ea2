// One realization of the fracture population: fractures drawn until the target density is
// reached, clipped to the domain, and split at their crossings into the pieces that a
// network data file lists.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "generator/line_segment.hpp"
#include "generator/network_law.hpp"

namespace fracflow::generator {

// A draw that gets no further: beyond this many fractures inside the domain the density
// cannot be reached in reasonable time and memory.
inline constexpr std::size_t kMaxFractures = 10'000'000;

// A fracture centred inside the domain is always kept unless it is too short to keep two
// distinct ends, so at least domain area / centre area of the draws keep one. This many
// times the inverse of that share of draws in a row kept none (a chance below e^-1000): the
// fractures vanish at the scale of the domain's coordinates.
inline constexpr double kRejectedDrawFactor = 1000.0;

struct Piece {
  LineSegment segment;
  double perm = 0.0;
  int fracture = 0;  // index of the fracture it belongs to, in drawing order
};

struct GeneratedNetwork {
  std::vector<Piece> pieces;      // fracture by fracture, each from its end a to its end b
  int fractureCount = 0;          // fractures that left at least one piece
  std::size_t drawnInDomain = 0;  // fractures drawn with a part inside the domain
  double inDomainLength = 0.0;    // their total length inside the domain
  double lastContribution = 0.0;  // the inside length of the last of them
  std::size_t crossingCount = 0;
};

// Called with short progress texts ("drawing", "crossings", ...); may be empty.
using ProgressReport = std::function<void(std::string_view)>;

// The network of realization realizationNumber for the base seed. The same law, seed and
// realization give the same network on every platform. Throws an Input error when the
// density needs more than kMaxFractures fractures, or when the draws keep no fracture (see
// kRejectedDrawFactor).
GeneratedNetwork generateNetwork(const NetworkLaw& law, std::uint64_t seed, int realizationNumber,
                                 const ProgressReport& progress = {});

// Splits clipped fractures at their crossings; exposed for the tests.
std::vector<Piece> splitFractures(const std::vector<LineSegment>& fractures,
                                  const std::vector<double>& perms, const NetworkLaw& law,
                                  std::size_t* crossingCount = nullptr);

// The total length of the pieces per unit area: what the simulator reports as the
// segment density of the network.
double pieceDensity(const std::vector<Piece>& pieces, const NetworkLaw& law);

}  // namespace fracflow::generator
