// Candidate cells of a segment: a walk over its columns with the segment's y extent in each.
#include "grid/candidate_cells.hpp"

#include <algorithm>
#include <cmath>

namespace fracflow::grid {
namespace {

bool isFinite(const Segment& s) {
  return std::isfinite(s.x1) && std::isfinite(s.y1) && std::isfinite(s.x2) && std::isfinite(s.y2);
}

// The cell index whose span holds the coordinate, before clamping to the grid (kept within
// [-2, count + 1] so that the conversion to int is always defined).
int unclampedIndex(double coordinate, double size, int count) {
  const double k = std::floor(coordinate / size);
  if (!(k >= -2.0)) return -2;  // also NaN, from a degenerate cell size
  if (k > static_cast<double>(count) + 1.0) return count + 1;
  return static_cast<int>(k);
}

// The indices from the span holding lo, less one, to the span holding hi, plus one.
IndexRange widenedRange(double lo, double hi, double size, int count) {
  IndexRange range{unclampedIndex(lo, size, count) - 1, unclampedIndex(hi, size, count) + 1};
  range.first = std::max(range.first, 0);
  range.last = std::min(range.last, count - 1);
  return range;
}

}  // namespace

IndexRange candidateColumns(const GridGeometry& grid, const Segment& segment) {
  if (grid.cellx <= 0 || grid.celly <= 0) return {};
  // A segment with a NaN coordinate crosses nothing; one with an infinite coordinate could
  // cross edges anywhere, so every column stays a candidate.
  if (std::isnan(segment.x1) || std::isnan(segment.y1) || std::isnan(segment.x2) ||
      std::isnan(segment.y2)) {
    return {};
  }
  if (!isFinite(segment)) return {0, grid.cellx - 1};
  return widenedRange(std::min(segment.x1, segment.x2), std::max(segment.x1, segment.x2),
                      grid.cellSizeX, grid.cellx);
}

IndexRange candidateRows(const GridGeometry& grid, const Segment& segment, int i) {
  if (!isFinite(segment)) return {0, grid.celly - 1};
  const double xMin = std::min(segment.x1, segment.x2);
  const double xMax = std::max(segment.x1, segment.x2);
  // The part of the segment within half a cell of column i on either side.
  const double windowLo = (static_cast<double>(i) - 0.5) * grid.cellSizeX;
  const double windowHi = (static_cast<double>(i) + 1.5) * grid.cellSizeX;
  if (windowHi < xMin || windowLo > xMax) return {};
  double yLo = std::min(segment.y1, segment.y2);
  double yHi = std::max(segment.y1, segment.y2);
  if (xMin < xMax) {
    // y along the segment at an x inside its extent: the fraction lies in [0, 1], so the
    // rounding stays at the scale of the coordinates, even for a nearly vertical segment.
    const auto yAt = [&](double x) {
      return segment.y1 +
             (segment.y2 - segment.y1) * ((x - segment.x1) / (segment.x2 - segment.x1));
    };
    const double ya = yAt(std::max(windowLo, xMin));
    const double yb = yAt(std::min(windowHi, xMax));
    yLo = std::max(yLo, std::min(ya, yb));
    yHi = std::min(yHi, std::max(ya, yb));
    if (yLo > yHi) std::swap(yLo, yHi);
  }
  return widenedRange(yLo, yHi, grid.cellSizeY, grid.celly);
}

}  // namespace fracflow::grid
