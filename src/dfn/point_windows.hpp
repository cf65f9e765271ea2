// The two tolerances by which network end points are matched to nodes: the relative
// window (a millionth of the coordinate on each side) and the widened window, whose extra
// absolute offset lets it work for nodes on x = 0 or y = 0.
#pragma once

namespace fracflow::dfn {

// Offsets of the widened window's lower bound in y: far end 2 of a segment, far end 1 of
// a segment, and the end-head search.
inline constexpr double kFarEnd2Offset = 1e-6;
inline constexpr double kFarEnd1Offset = 1e-5;
inline constexpr double kEndHeadOffset = 1e-5;

// P lies in the relative window about Q (all strict; empty where a coordinate of Q is 0).
inline bool inRelativeWindow(double px, double py, double qx, double qy) {
  return 0.999999 * qx < px && px < 1.000001 * qx && 0.999999 * qy < py && py < 1.000001 * qy;
}

// E lies in the widened window of node N with offset d; only the lower bound in y uses d.
inline bool inWidenedWindow(double ex, double ey, double nx, double ny, double d) {
  return (nx + 1e-6) * 1.000001 > ex && ex > (nx - 1e-6) * 0.999999 &&
         (ny + 1e-6) * 1.000001 > ey && ey > (ny - d) * 0.999999;
}

}  // namespace fracflow::dfn
