// Test support for the generator: parameter values of fracture populations, and the text of
// a generated network.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "generator/network_file.hpp"
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

// Fracture populations of different kinds, for the properties every network must have.
struct Study {
  const char* name;
  double L, W, fracDen;
  std::vector<FractureSet> sets;
};

inline std::vector<Study> studies() {
  return {
      {"two sets, as in the bundled example",
       100,
       100,
       0.35,
       {fractureSet(0.6, 8, 1.6, 5, 30), fractureSet(0.4, 8, 1.6, 5, 120, -0.3)}},
      {"dense, short and uniform", 100, 100, 2.0, {fractureSet(1, 1, 2.5, 0, 0, 0, 0.5)}},
      {"a strip with three concentrated sets",
       300,
       40,
       0.8,
       {fractureSet(0.5, 2, 1.2, 50, 0), fractureSet(0.3, 2, 1.2, 50, 90),
        fractureSet(0.2, 5, 2.0, 10, 45, 1, 0.1)}},
      {"a unit square with long fractures", 1, 1, 30, {fractureSet(1, 0.05, 1.1, 1, -30, -3, 1)}},
  };
}

inline NetworkLaw studyLaw(const Study& s) {
  RunOptions options = populationOptions(s.L, s.W, s.fracDen, {});
  for (std::size_t k = 0; k < s.sets.size(); ++k) options.sets[k] = s.sets[k];
  return makeNetworkLaw(options, "Data_and_OutputOptions.txt");
}

// The lines of a network data file holding the pieces.
inline std::string networkText(const std::vector<Piece>& pieces) {
  std::string text;
  for (const Piece& p : pieces) appendPieceLine(text, p);
  return text;
}

}  // namespace fracflow::generator
