#include "generator/network_law.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "generator/generator_fixtures.hpp"
#include "io/error.hpp"

namespace fracflow::generator {
namespace {

RunOptions validOptions() {
  return populationOptions(100, 100, 0.3,
                           {fractureSet(0.6, 8, 1.6, 5, 30), fractureSet(0.4, 8, 1.6, 5, 120),
                            fractureSet(0.0, 0, 0, -1, 0, 0, -1)});  // set 3 is never drawn
}

TEST(NetworkLaw, AcceptsAValidPopulationAndPreparesIt) {
  const NetworkLaw law = makeNetworkLaw(validOptions(), "p.txt");
  EXPECT_DOUBLE_EQ(law.maxLength, std::sqrt(20000.0));
  EXPECT_DOUBLE_EQ(law.centreMargin, std::sqrt(20000.0) / 2);
  EXPECT_DOUBLE_EQ(law.mergeDistance, 1e-5);
  EXPECT_DOUBLE_EQ(law.cumulativeProb[0], 0.6);
  EXPECT_DOUBLE_EQ(law.cumulativeProb[1], 1.0);
  EXPECT_DOUBLE_EQ(law.cumulativeProb[2], 1.0);
  EXPECT_NEAR(law.sets[0].cosMean, std::sqrt(3.0) / 2, 2e-16);
  EXPECT_NEAR(law.sets[0].sinMean, 0.5, 1e-16);
  EXPECT_NEAR(law.sets[1].tailBeyondMax, std::pow(std::sqrt(20000.0) / 8, -1.6), 1e-16);
}

TEST(NetworkLaw, RejectsValuesThatCannotBeDrawnNamingTheLine) {
  struct Case {
    const char* name;
    std::function<void(RunOptions&)> change;
    const char* message;
  };
  const Case cases[] = {
      {"probabilities sum below 1", [](RunOptions& o) { o.sets[1].prob = 0.3; },
       "p.txt:16: prob1 + prob2 + prob3: the set probabilities must sum to 1 (within 1e-6), found "
       "0.9"},
      {"probabilities sum above 1", [](RunOptions& o) { o.sets[1].prob = 0.4 + 2e-6; },
       "p.txt:16: prob1 + prob2 + prob3: the set probabilities must sum to 1 (within 1e-6), found "
       "1.000002"},
      {"negative probability", [](RunOptions& o) { o.sets[2].prob = -0.1; },
       "p.txt:32: prob3: expected a probability of 0 or more, found -0.1"},
      {"zero minimum length", [](RunOptions& o) { o.sets[0].minFracL = 0; },
       "p.txt:17: minFracL1: expected a length above 0 and at most the domain diagonal 141.421, "
       "found 0"},
      {"minimum beyond the diagonal", [](RunOptions& o) { o.sets[1].minFracL = 150; },
       "p.txt:25: minFracL2: expected a length above 0 and at most the domain diagonal 141.421, "
       "found 150"},
      {"minimum below the shortest piece", [](RunOptions& o) { o.sets[1].minFracL = 1e-14; },
       "p.txt:25: minFracL2: expected a length of at least 1e-007 x domainL = 1e-005 (no piece is "
       "shorter), found 1e-014"},
      {"zero exponent", [](RunOptions& o) { o.sets[1].alpha = 0; },
       "p.txt:26: alpha2: expected a power-law exponent above 0, found 0"},
      {"negative concentration", [](RunOptions& o) { o.sets[0].kappa = -1; },
       "p.txt:19: kappa1: expected a concentration of 0 (uniform) or more, found -1"},
      {"negative spread", [](RunOptions& o) { o.sets[0].perDev = -0.3; },
       "p.txt:22: perDev1: expected a standard deviation of 0 or more with |perMean| + 10 perDev "
       "<= 300, found -0.3"},
      {"overflowing permeability", [](RunOptions& o) { o.sets[1].perMean = 400; },
       "p.txt:29: perMean2: expected a mean of log10(permeability) between -290 and 290, found "
       "400"},
      {"zero domain length", [](RunOptions& o) { o.domainL = 0; },
       "p.txt:1: domainL: expected a positive length, found 0"},
      {"negative domain width", [](RunOptions& o) { o.domainW = -5; },
       "p.txt:2: domainW: expected a positive length, found -5"},
      {"negative density", [](RunOptions& o) { o.fracDen = -1; },
       "p.txt:14: fracDen: expected a fracture length per unit area of 0 or more, found -1"},
      {"a domain whose area is not a number",
       [](RunOptions& o) {
         o.domainL = 1e300;
         o.domainW = 1e300;
       },
       "p.txt:1: domainL: a domain of 1e+300 x 1e+300 (domainL x domainW, lines 1 and 2) is too "
       "large for its area and diagonal to be numbers; express the lengths in a larger unit"},
      {"a domain whose diagonal is not a number",
       [](RunOptions& o) {
         o.domainL = 1e200;
         o.domainW = 1e-200;
       },
       "p.txt:1: domainL: a domain of 1e+200 x 1e-200 (domainL x domainW, lines 1 and 2) is too "
       "large for its area and diagonal to be numbers; express the lengths in a larger unit"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunOptions options = validOptions();
    c.change(options);
    try {
      makeNetworkLaw(options, "p.txt");
      ADD_FAILURE() << "accepted";
    } catch (const Error& error) {
      EXPECT_EQ(error.kind(), ErrorKind::Input);
      EXPECT_EQ(std::string(error.what()), c.message);
    }
  }
}

TEST(NetworkLaw, ProbabilitySumWithinTheToleranceIsAccepted) {
  for (const double p2 : {0.4 - 9e-7, 0.4 + 9e-7}) {
    RunOptions options = validOptions();
    options.sets[1].prob = p2;
    const NetworkLaw law = makeNetworkLaw(options, "p.txt");
    EXPECT_EQ(law.cumulativeProb[1], 1.0);  // normalised
  }
  RunOptions options = validOptions();
  options.fracDen = 0.0;  // no fracture at all is a valid study
  EXPECT_NO_THROW(makeNetworkLaw(options, "p.txt"));
}

}  // namespace
}  // namespace fracflow::generator
