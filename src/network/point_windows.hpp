// The two coordinate windows that decide when an end point and a node are the same point of
// the network: the relative window (one part in a million of the coordinate) and the widened
// window, which adds an absolute margin so that it also works at x = 0 and y = 0.
#pragma once

#include "core/model_constants.hpp"

namespace fracflow::network {

// P lies in the relative window of Q: 0.999999·Q < P < 1.000001·Q in both coordinates,
// all strict. The window is about Q, so it is empty when a coordinate of Q is 0 or negative.
inline bool inRelativeWindow(double px, double py, double qx, double qy) {
  return kWindowLow * qx < px && px < kWindowHigh * qx && kWindowLow * qy < py &&
         py < kWindowHigh * qy;
}

// E lies in the widened window of node N with lower y margin d (1e-6 or 1e-5):
// (N.x + 1e-6)·1.000001 > E.x > (N.x − 1e-6)·0.999999 and
// (N.y + 1e-6)·1.000001 > E.y > (N.y − d)·0.999999, all strict.
inline bool inWidenedWindow(double ex, double ey, double nx, double ny, double d) {
  return (nx + 1e-6) * kWindowHigh > ex && ex > (nx - 1e-6) * kWindowLow &&
         (ny + 1e-6) * kWindowHigh > ey && ey > (ny - d) * kWindowLow;
}

}  // namespace fracflow::network
