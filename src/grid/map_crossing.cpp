// Orientation factors and the face update of one crossing.
#include "grid/map_crossing.hpp"

#include <cmath>

namespace fracflow::grid {
namespace {

// Where an end point lies relative to the face being crossed.
struct EndPointPlace {
  bool inBand;  // strictly inside the cell's column (top, bottom) or row (right, left)
  bool far;     // one whole cell or more beyond the face
  bool behind;  // on or beyond the cell's opposite edge
};

EndPointPlace placeOf(const GridGeometry& grid, double cx, double cy, double x, double y,
                      int face) {
  const double dx = grid.cellSizeX;
  const double dy = grid.cellSizeY;
  switch (face) {
    case kTop:
      return {cx - 0.5 * dx < x && x < 0.5 * dx + cx, y >= 1.5 * dy + cy, y <= cy - 0.5 * dy};
    case kRight:
      return {cy - 0.5 * dy < y && y < 0.5 * dy + cy, x >= 1.5 * dx + cx, x <= cx - 0.5 * dx};
    case kBottom:
      return {cx - 0.5 * dx < x && x < 0.5 * dx + cx, y <= cy - 1.5 * dy, y >= 0.5 * dy + cy};
    default:
      return {cy - 0.5 * dy < y && y < 0.5 * dy + cy, x <= cx - 1.5 * dx, x >= 0.5 * dx + cx};
  }
}

}  // namespace

bool isPassThroughCrossing(const GridGeometry& grid, double cx, double cy, const Segment& segment,
                           int face) {
  const EndPointPlace p1 = placeOf(grid, cx, cy, segment.x1, segment.y1, face);
  const EndPointPlace p2 = placeOf(grid, cx, cy, segment.x2, segment.y2, face);
  if (!p1.inBand && !p2.inBand) return true;
  if (p1.inBand && p1.far && (!p2.inBand || p2.behind)) return true;
  if (p2.inBand && p2.far && (!p1.inBand || p1.behind)) return true;
  const double length = segmentLength(segment);
  const double shortLimit =
      face == kTop || face == kBottom ? 2.0 * grid.cellSizeY : 2.0 * grid.cellSizeX;
  return !(length < shortLimit);
}

void mapCrossing(Cell& cell, const GridGeometry& grid, int i, int j, const Segment& segment,
                 int face) {
  cell.center[0] = grid.centerX(i);
  cell.center[1] = grid.centerY(j);
  const double length = segmentLength(segment);
  const double normalY = std::abs(segment.y2 - segment.y1) / length;
  const double normalX = std::abs(segment.x2 - segment.x1) / length;
  double factor = 0.0;
  if (isPassThroughCrossing(grid, cell.center[0], cell.center[1], segment, face)) {
    factor = normalY + normalX;
  } else {
    factor = face == kTop || face == kBottom ? normalY : normalX;
  }
  const double k = segment.perm;
  const auto f = static_cast<std::size_t>(face);
  cell.faceK[f] = k * factor + cell.faceK[f];
  // A first crossing by a segment of permeability 0 leaves no mean to take (0 / 0): the
  // factor keeps its value rather than turning every later mean of this face into NaN.
  if (cell.kSum[f] + k != 0.0) {
    cell.crfactor[f] = (cell.kSum[f] * cell.crfactor[f] + k * factor) / (cell.kSum[f] + k);
  }
  cell.kSum[f] = cell.kSum[f] + k;
}

}  // namespace fracflow::grid
