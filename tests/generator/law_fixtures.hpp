// Test support for the generator: parameter values of a fracture population.
#pragma once

#include <initializer_list>

#include "generator/network_law.hpp"
#include "options/run_options.hpp"

namespace fracflow::generator {

// A set as the seven values of its lines: prob, minFracL, alpha, kappa, thetaMean,
// perMean, perDev.
inline FractureSet fractureSet(double prob, double minFracL, double alpha, double kappa,
                               double thetaMean, double perMean = 0.0, double perDev = 0.3) {
  return {prob, minFracL, alpha, kappa, thetaMean, perMean, perDev};
}

inline RunOptions populationOptions(double domainL, double domainW, double fracDen,
                                    std::initializer_list<FractureSet> sets) {
  RunOptions options;
  options.domainL = domainL;
  options.domainW = domainW;
  options.fracDen = fracDen;
  options.numberruns = 1;
  int s = 0;
  for (const FractureSet& set : sets) options.sets[s++] = set;
  return options;
}

inline NetworkLaw populationLaw(double domainL, double domainW, double fracDen,
                                std::initializer_list<FractureSet> sets) {
  return makeNetworkLaw(populationOptions(domainL, domainW, fracDen, sets),
                        "Data_and_OutputOptions.txt");
}

}  // namespace fracflow::generator
