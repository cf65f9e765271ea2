// The fixed head of an active boundary cell: the face heads interpolated linearly along
// their face and evaluated at the cell's centre. Corner cells take the top or bottom face.
#pragma once

#include "grid/grid_geometry.hpp"
#include "options/run_options.hpp"

namespace fracflow::grid {

struct FaceHeads {
  double tf1 = 0.0, tf2 = 0.0;  // top face at x = 0 and x = domainL
  double rf1 = 0.0, rf2 = 0.0;  // right face at y = 0 and y = domainW
  double bf1 = 0.0, bf2 = 0.0;  // bottom face at x = 0 and x = domainL
  double lf1 = 0.0, lf2 = 0.0;  // left face at y = 0 and y = domainW

  static FaceHeads fromOptions(const RunOptions& o) {
    return {o.tf1, o.tf2, o.rf1, o.rf2, o.bf1, o.bf2, o.lf1, o.lf2};
  }
};

// The head of boundary cell (i, j) centred at (cx, cy); 0.0 for an internal cell.
double boundaryHead(const GridGeometry& grid, const FaceHeads& heads, int i, int j, double cx,
                    double cy);

}  // namespace fracflow::grid
