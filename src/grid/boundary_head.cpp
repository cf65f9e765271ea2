// Boundary heads: the first matching face decides (top, right, bottom, left).
#include "grid/boundary_head.hpp"

namespace fracflow::grid {

double boundaryHead(const GridGeometry& grid, const FaceHeads& h, int i, int j, double cx,
                    double cy) {
  const bool sideRow = 0 < j && j < grid.celly - 1;
  if (j == grid.celly - 1) return (h.tf2 - h.tf1) * (cx / grid.domainL) + h.tf1;
  if (i == grid.cellx - 1 && sideRow) return (h.rf2 - h.rf1) * (cy / grid.domainW) + h.rf1;
  if (j == 0) return (h.bf2 - h.bf1) * (cx / grid.domainL) + h.bf1;
  if (i == 0 && sideRow) return (h.lf2 - h.lf1) * (cy / grid.domainW) + h.lf1;
  return 0.0;
}

}  // namespace fracflow::grid
