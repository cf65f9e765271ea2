// Checking the fracture-set values of the parameter file. Only the sets that can be drawn
// (prob > 0) need usable lengths, orientations and permeabilities.
#include "generator/network_law.hpp"

#include <cmath>
#include <string>

#include "generator/portable_math.hpp"
#include "io/error.hpp"
#include "io/number_format.hpp"

namespace fracflow::generator {
namespace {

// Line of the first value of set s (0-based) in the parameter file: 16, 24, 32.
int setFirstLine(std::size_t s) { return 16 + 8 * static_cast<int>(s); }

[[noreturn]] void fail(std::string_view fileName, int line, const std::string& field,
                       const std::string& what) {
  throw Error(ErrorKind::Input,
              std::string(fileName) + ":" + std::to_string(line) + ": " + field + ": " + what);
}

std::string text(double value) { return io::formatNumber(value); }

}  // namespace

NetworkLaw makeNetworkLaw(const RunOptions& options, std::string_view fileName) {
  NetworkLaw law;
  law.parameterFile = std::string(fileName);
  law.domainL = options.domainL;
  law.domainW = options.domainW;
  law.fracDen = options.fracDen;
  if (!(std::isfinite(law.domainL) && law.domainL > 0.0)) {
    fail(fileName, 1, "domainL", "expected a positive length, found " + text(law.domainL));
  }
  if (!(std::isfinite(law.domainW) && law.domainW > 0.0)) {
    fail(fileName, 2, "domainW", "expected a positive length, found " + text(law.domainW));
  }
  if (!(std::isfinite(law.fracDen) && law.fracDen >= 0.0)) {
    fail(fileName, 14, "fracDen",
         "expected a fracture length per unit area of 0 or more, found " + text(law.fracDen));
  }
  law.maxLength = std::sqrt(law.domainL * law.domainL + law.domainW * law.domainW);
  law.centreMargin = 0.5 * law.maxLength;
  // Densities divide by the area, lengths reach the diagonal and centres fall within half a
  // diagonal of the faces: all must be numbers.
  const double centreArea =
      (law.domainL + 2.0 * law.centreMargin) * (law.domainW + 2.0 * law.centreMargin);
  if (!(std::isfinite(law.domainL * law.domainW) && std::isfinite(law.maxLength) &&
        std::isfinite(centreArea))) {
    fail(fileName, 1, "domainL",
         "a domain of " + text(law.domainL) + " x " + text(law.domainW) +
             " (domainL x domainW, lines 1 and 2) is too large for its area and diagonal to be "
             "numbers; express the lengths in a larger unit");
  }
  law.mergeDistance = kMergeFraction * law.domainL;

  double probSum = 0.0;
  for (std::size_t s = 0; s < 3; ++s) {
    const FractureSet& in = options.sets[s];
    const std::string n = std::to_string(s + 1);
    const int line = setFirstLine(s);
    if (!(std::isfinite(in.prob) && in.prob >= 0.0)) {
      fail(fileName, line, "prob" + n,
           "expected a probability of 0 or more, found " + text(in.prob));
    }
    probSum += in.prob;
    SetLaw& set = law.sets[s];
    set.prob = in.prob;
    set.minFracL = in.minFracL;
    set.alpha = in.alpha;
    set.kappa = in.kappa;
    set.thetaMean = in.thetaMean;
    set.perMean = in.perMean;
    set.perDev = in.perDev;
    if (in.prob == 0.0) continue;  // never drawn: its other values may be anything
    if (!(std::isfinite(in.minFracL) && in.minFracL > 0.0 && in.minFracL <= law.maxLength)) {
      fail(fileName, line + 1, "minFracL" + n,
           "expected a length above 0 and at most the domain diagonal " + text(law.maxLength) +
               ", found " + text(in.minFracL));
    }
    // A fracture shorter than the merge distance has its two ends merged into one point: it
    // could never be written as a piece.
    if (in.minFracL < law.mergeDistance) {
      fail(fileName, line + 1, "minFracL" + n,
           "expected a length of at least " + text(kMergeFraction) + " x domainL = " +
               text(law.mergeDistance) + " (no piece is shorter), found " + text(in.minFracL));
    }
    if (!(std::isfinite(in.alpha) && in.alpha > 0.0)) {
      fail(fileName, line + 2, "alpha" + n,
           "expected a power-law exponent above 0, found " + text(in.alpha));
    }
    if (!(std::isfinite(in.kappa) && in.kappa >= 0.0)) {
      fail(fileName, line + 3, "kappa" + n,
           "expected a concentration of 0 (uniform) or more, found " + text(in.kappa));
    }
    if (!std::isfinite(in.thetaMean)) {
      fail(fileName, line + 4, "thetaMean" + n, "expected an angle in degrees");
    }
    // 10^(perMean + 10 perDev) must stay a finite, non-zero double.
    if (!(std::isfinite(in.perMean) && std::abs(in.perMean) <= 290.0)) {
      fail(
          fileName, line + 5, "perMean" + n,
          "expected a mean of log10(permeability) between -290 and 290, found " + text(in.perMean));
    }
    if (!(std::isfinite(in.perDev) && in.perDev >= 0.0 &&
          std::abs(in.perMean) + 10.0 * in.perDev <= 300.0)) {
      fail(fileName, line + 6, "perDev" + n,
           "expected a standard deviation of 0 or more with |perMean| + 10 perDev <= 300, found " +
               text(in.perDev));
    }
    const SinCos mean = sinCosDegrees(in.thetaMean);
    set.cosMean = mean.cos;
    set.sinMean = mean.sin;
    set.tailBeyondMax = portablePow(law.maxLength / in.minFracL, -in.alpha);
  }
  if (!(std::abs(probSum - 1.0) <= kProbabilitySumTolerance)) {
    fail(fileName, 16, "prob1 + prob2 + prob3",
         "the set probabilities must sum to 1 (within 1e-6), found " +
             io::formatNumber(probSum, io::NumberFormat{io::Notation::General, 12, 0}));
  }
  double running = 0.0;
  for (std::size_t s = 0; s < 3; ++s) {
    running += law.sets[s].prob;
    law.cumulativeProb[s] = running / probSum;
  }
  return law;
}

}  // namespace fracflow::generator
