// The constants of the model, named once. Each stands in its expressions exactly where its
// value stood, so no expression changes its operations or their order.
#pragma once

namespace fracflow {

// Conductance of a fracture piece or a cell pair: kConductanceFactor · perm / length.
inline constexpr double kConductanceFactor = 0.01;

// The relative window in which two network points (nodes, segment ends, particle positions)
// are the same: kWindowLow · q < p < kWindowHigh · q in each coordinate.
inline constexpr double kWindowLow = 0.999999;
inline constexpr double kWindowHigh = 1.000001;

// The relative window in which a cell centre is a grid neighbour's.
inline constexpr double kCellWindowLow = 0.9999;
inline constexpr double kCellWindowHigh = 1.0001;

// The relative band of the outermost rows and columns in the grid face flows.
inline constexpr double kFaceBandLow = 0.99999;
inline constexpr double kFaceBandHigh = 1.00001;

// The branch rule: the last slot's upper bound is this share of the flows' sum.
inline constexpr double kLastSlotWidening = 1.00001;

// The travel-time cap of both walks: bcsize · kTimeLimitFactor · bcstep.
inline constexpr double kTimeLimitFactor = 1.001;

// A segment is flowing when its head gradient reaches this share of the mean gradient.
inline constexpr double kFlowingGradientShare = 0.02;

}  // namespace fracflow
