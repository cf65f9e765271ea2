// Drawing one fracture of the population: its set, length, orientation, permeability value
// and centre, each from its law, all from the generator's own random source.
#pragma once

#include "generator/network_law.hpp"
#include "generator/random_source.hpp"

namespace fracflow::generator {

struct Direction {
  double cos = 1.0;
  double sin = 0.0;
};

struct FractureDraw {
  int set = 0;  // 0, 1 or 2
  double length = 0.0;
  Direction direction;
  double perm = 0.0;
  double centreX = 0.0;
  double centreY = 0.0;
};

// Set s with probability prob(s).
int drawSet(RandomSource& random, const NetworkLaw& law);

// Power law P(length > l) = (l / minFracL)^(-alpha), conditioned on length <= maxLength
// (inverse transform of the truncated law).
double drawLength(RandomSource& random, const SetLaw& set, double maxLength);

// A unit vector whose angle to the x axis follows the von Mises law with mean thetaMean and
// concentration kappa (Best and Fisher's rejection method); kappa 0 gives uniform angles.
Direction drawDirection(RandomSource& random, const SetLaw& set);

// A standard normal deviate (Marsaglia's polar method).
double drawStandardNormal(RandomSource& random);

// 10^(perMean + perDev * N(0, 1)).
double drawPerm(RandomSource& random, const SetLaw& set);

// Set, length, direction, permeability value and centre, drawn in this order.
FractureDraw drawFracture(RandomSource& random, const NetworkLaw& law);

}  // namespace fracflow::generator
