// The stochastic fracture population of a parameter file, checked and prepared for drawing:
// the domain, the target density and the three fracture sets.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "options/run_options.hpp"

namespace fracflow::generator {

// The three set probabilities must sum to 1 within this.
inline constexpr double kProbabilitySumTolerance = 1e-6;

// Intersections closer than this fraction of domainL along a fracture are one point, so no
// piece is shorter than it (the simulator stops at pieces of 1e-9 domainL).
inline constexpr double kMergeFraction = 1e-7;

struct SetLaw {
  double prob = 0.0;
  double minFracL = 0.0;
  double alpha = 0.0;
  double kappa = 0.0;      // 0: uniform orientations
  double thetaMean = 0.0;  // degrees from the x axis
  double perMean = 0.0;    // mean of log10 of the permeability value
  double perDev = 0.0;
  // Prepared: the mean direction and (maxLength / minFracL)^(-alpha), the probability
  // mass of the untruncated power law beyond the longest possible fracture.
  double cosMean = 1.0;
  double sinMean = 0.0;
  double tailBeyondMax = 0.0;
};

struct NetworkLaw {
  std::string parameterFile;  // named in error messages
  double domainL = 0.0;
  double domainW = 0.0;
  double fracDen = 0.0;
  double maxLength = 0.0;      // the domain diagonal: lengths are truncated there
  double centreMargin = 0.0;   // half of maxLength: centres fall this far beyond each face
  double mergeDistance = 0.0;  // kMergeFraction * domainL
  std::array<SetLaw, 3> sets{};
  std::array<double, 3> cumulativeProb{};  // normalised running sums of prob
};

// Checks the values the generator uses and prepares them. A bad value raises an Input
// error "file:line: field: ..." naming the line of the parameter file.
NetworkLaw makeNetworkLaw(const RunOptions& options, std::string_view fileName);

}  // namespace fracflow::generator
