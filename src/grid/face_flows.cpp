// Face flows of the domain, boundary cell by boundary cell in array order.
#include "grid/face_flows.hpp"

#include <vector>

#include "core/model_constants.hpp"
#include "grid/face_coefficient.hpp"
#include "grid/neighbour_matches.hpp"

namespace fracflow::grid {
namespace {

// The flux from cell n into cell b across face `face` of b (n's opposite face facing it).
// Adds nothing when the two facing values sum to 0: the cells are not coupled.
void addFlux(double& flow, const Cell& b, const Cell& n, int face, double d) {
  const double a = b.faceK[face];
  const double q = n.faceK[oppositeFace(face)];
  if (a + q == 0.0) return;
  flow += faceCoefficient(a, q) * ((n.head - b.head) / d) * kConductanceFactor;
}

bool inBand(double value, double centre, double low, double high) {
  return low * centre < value && value < high * centre;
}

}  // namespace

FaceFlows computeFaceFlows(const CellTable& table, const GridGeometry& grid,
                           const CellIndex& index) {
  const double dx = grid.cellSizeX;
  const double dy = grid.cellSizeY;
  const double topRowY = grid.domainW - 0.5 * dy;
  const double rightColumnX = grid.domainL - 0.5 * dx;
  const double bottomRowY = 0.5 * dy;
  const double leftColumnX = 0.5 * dx;
  FaceFlows flows;
  std::vector<NeighbourMatch> matches;
  for (int bi = 0; bi < table.boundaryCells; ++bi) {
    const Cell& b = table.cells[static_cast<std::size_t>(bi)];
    const double xb = b.center[0];
    const double yb = b.center[1];
    const WindowPoint below{xb, yb - dy};
    const WindowPoint above{xb, yb + dy};
    const WindowPoint leftOf{xb - dx, yb};
    const WindowPoint rightOf{xb + dx, yb};

    // Internal neighbours: each feeds the face on the far side of b from it.
    {
      const WindowPoint points[4] = {below, leftOf, above, rightOf};
      findNeighbourMatches(index, points, matches);
      for (const NeighbourMatch& match : matches) {
        if (match.cell < table.boundaryCells) continue;
        const Cell& m = table.cells[static_cast<std::size_t>(match.cell)];
        switch (match.test) {
          case 0:
            addFlux(flows.top, b, m, kBottom, dy);
            break;
          case 1:
            addFlux(flows.right, b, m, kLeft, dx);
            break;
          case 2:
            addFlux(flows.bottom, b, m, kTop, dy);
            break;
          default:
            addFlux(flows.left, b, m, kRight, dx);
            break;
        }
      }
    }

    // Boundary neighbours: the exchange along the boundary rows and columns.
    const bool topRow = inBand(yb, topRowY, kFaceBandLow, kFaceBandHigh);
    const bool rightColumn = inBand(xb, rightColumnX, kFaceBandLow, kFaceBandHigh);
    const bool bottomRow = inBand(yb, bottomRowY, kFaceBandLow, kFaceBandHigh);
    const bool leftColumn = inBand(xb, leftColumnX, kFaceBandLow, kFaceBandHigh);
    const bool notCornerColumn = 0.50005 * dx < xb && xb < 0.9999 * rightColumnX;
    {
      // Tests in the order of the scan; t indexes this table.
      const WindowPoint points[10] = {leftOf, rightOf,            // top row
                                      below,  above,   leftOf,    // right column
                                      leftOf, rightOf,            // bottom row
                                      below,  above,   rightOf};  // left column
      findNeighbourMatches(index, points, matches);
      for (const NeighbourMatch& match : matches) {
        if (match.cell >= table.boundaryCells) continue;
        const Cell& n = table.cells[static_cast<std::size_t>(match.cell)];
        switch (match.test) {
          case 0:
            if (topRow && notCornerColumn) addFlux(flows.top, b, n, kLeft, dx);
            break;
          case 1:
            if (topRow && notCornerColumn) addFlux(flows.top, b, n, kRight, dx);
            break;
          case 2:
            if (rightColumn) addFlux(flows.right, b, n, kBottom, dy);
            break;
          case 3:
            if (rightColumn) addFlux(flows.right, b, n, kTop, dy);
            break;
          case 4:
            if (rightColumn) addFlux(flows.right, b, n, kLeft, dx);
            break;
          case 5:
            if (bottomRow && notCornerColumn) addFlux(flows.bottom, b, n, kLeft, dx);
            break;
          case 6:
            if (bottomRow && notCornerColumn) addFlux(flows.bottom, b, n, kRight, dx);
            break;
          case 7:
            if (leftColumn) addFlux(flows.left, b, n, kBottom, dy);
            break;
          case 8:
            if (leftColumn) addFlux(flows.left, b, n, kTop, dy);
            break;
          default:
            if (leftColumn) addFlux(flows.left, b, n, kRight, dx);
            break;
        }
      }
    }
  }
  return flows;
}

}  // namespace fracflow::grid
