// The edge-crossing test.
#include "grid/crosses_edge.hpp"

namespace fracflow::grid {
namespace {

// The offset of P1 from an edge line, nudged off the line when P1 lies exactly on it, so that
// the direction test below sees the way the segment leaves the line.
double offsetFromEdge(double start, double end, double edge) {
  if (start == edge) return start > end ? 0.0001 : -0.0001;
  return start - edge;
}

}  // namespace

bool crossesEdge(const GridGeometry& grid, int i, int j, const Segment& segment, int face) {
  const double x1 = segment.x1;
  const double y1 = segment.y1;
  const double x2 = segment.x2;
  const double y2 = segment.y2;
  const double xLeft = grid.leftX(i);
  const double xRight = grid.rightX(i);
  const double yBottom = grid.bottomY(j);
  const double yTop = grid.topY(j);
  switch (face) {
    case kTop: {
      const double xTop = (x1 - x2) * ((yTop - y1) / (y1 - y2)) + x1;
      const double dTop = offsetFromEdge(y1, y2, yTop);
      return xLeft <= xTop && xTop <= xRight && (y1 - y2) / dTop >= 1.0;
    }
    case kRight: {
      const double yRight = (y1 - y2) * ((xRight - x1) / (x1 - x2)) + y1;
      const double dRight = offsetFromEdge(x1, x2, xRight);
      return yBottom <= yRight && yRight <= yTop && (x1 - x2) / dRight >= 1.0;
    }
    case kBottom: {
      const double xBottom = (x1 - x2) * ((yBottom - y1) / (y1 - y2)) + x1;
      const double dBottom = offsetFromEdge(y1, y2, yBottom);
      return xLeft <= xBottom && xBottom <= xRight && (y1 - y2) / dBottom >= 1.0;
    }
    case kLeft: {
      const double yLeft = (y1 - y2) * ((xLeft - x1) / (x1 - x2)) + y1;
      const double dLeft = offsetFromEdge(x1, x2, xLeft);
      return yBottom <= yLeft && yLeft <= yTop && (x1 - x2) / dLeft >= 1.0;
    }
    default:
      return false;
  }
}

}  // namespace fracflow::grid
