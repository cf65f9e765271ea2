// Gathering the downhill candidates of a cell.
#include "transport/grid_candidates.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "core/model_constants.hpp"
#include "grid/face_coefficient.hpp"

namespace fracflow::transport {

double gridFlux(const Cell& p, const Cell& q, int face, double cellSizeX, double cellSizeY) {
  const double d = face == kTop || face == kBottom ? cellSizeY : cellSizeX;
  return grid::faceCoefficient(p.faceK[face], q.faceK[grid::oppositeFace(face)]) *
         ((p.head - q.head) / d) * kConductanceFactor;
}

double gatherGridCandidates(const std::vector<Cell>& cells, const grid::CellIndex& index,
                            double cellSizeX, double cellSizeY, int p, double x, double y,
                            std::vector<GridCandidate>& out, std::vector<int>& scratch) {
  out.clear();
  scratch.clear();
  double px[4], py[4];
  for (int f = 0; f < 4; ++f) {
    shiftedCentre(f, x, y, cellSizeX, cellSizeY, px[f], py[f]);
    index.forEachInWindow(px[f], py[f], [&scratch](int m) { scratch.push_back(m); });
  }
  std::sort(scratch.begin(), scratch.end());
  scratch.erase(std::unique(scratch.begin(), scratch.end()), scratch.end());

  const Cell& from = cells[static_cast<std::size_t>(p)];
  double sum = 0.0;
  for (const int m : scratch) {
    const Cell& q = cells[static_cast<std::size_t>(m)];
    int face = 0;
    while (face < 4 && !grid::inNeighbourWindow(q.center[0], q.center[1], px[face], py[face])) {
      ++face;
    }
    if (face == 4) continue;
    const int opposite = grid::oppositeFace(face);
    if (!(from.head > q.head) || from.faceK[face] + q.faceK[opposite] == 0.0) continue;
    GridCandidate candidate;
    candidate.flow = gridFlux(from, q, face, cellSizeX, cellSizeY);
    candidate.crMean = (from.crfactor[face] + q.crfactor[opposite]) * 0.5;
    candidate.distance =
        std::sqrt((q.center[0] - x) * (q.center[0] - x) + (q.center[1] - y) * (q.center[1] - y));
    candidate.destinationCell = m;
    sum += candidate.flow;
    out.push_back(candidate);
  }
  return sum;
}

}  // namespace fracflow::transport
