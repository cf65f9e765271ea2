// The coupling of two neighbouring cells across a shared face: the harmonic-mean form
// 2·a·q / (a + q) of the two facing faceK values. Times 0.01 / d it is the pair's conductance.
#pragma once

namespace fracflow::grid {

// Callers skip the pair when a + q is exactly 0 (the cells are not coupled at all).
inline double faceCoefficient(double a, double q) { return 2.0 * a * q / (a + q); }

// The face of a neighbour that faces face f of a cell: top-bottom, right-left.
inline int oppositeFace(int f) { return (f + 2) % 4; }

}  // namespace fracflow::grid
