// Elementary functions built from +, -, *, / and sqrt only, so that the sampled networks do
// not depend on the platform's math library (whose last bits differ between systems).
// Accurate to a few units in the last place over the ranges the sampling uses.
#pragma once

namespace fracflow::generator {

double portableExp(double x);
double portableLog(double x);  // natural logarithm; NaN below 0, -inf at 0

// x^y for x > 0, as exp(y log x).
double portablePow(double x, double y);

struct SinCos {
  double sin = 0.0;
  double cos = 1.0;
};

// The sine and cosine of an angle in degrees, exact at multiples of 90 degrees.
SinCos sinCosDegrees(double degrees);

}  // namespace fracflow::generator
