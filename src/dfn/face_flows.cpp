// Face flows of the backbone.
#include "dfn/face_flows.hpp"

#include <cmath>
#include <cstddef>

namespace fracflow::dfn {
namespace {

// Conductance times the head drop from the inner end to the face end.
double outflow(const Segment& segment, double innerHead, double faceHead) {
  return 0.01 * (innerHead - faceHead) * segment.perm / segmentLength(segment);
}

// Adds the segment's outflow to a face it ends on (end 1 tested first).
void addFaceTerm(double& faceFlow, bool end1OnFace, bool end2OnFace, const Segment& segment,
                 double h1, double h2) {
  if (end1OnFace) {
    faceFlow += outflow(segment, h2, h1);
  } else if (end2OnFace) {
    faceFlow += outflow(segment, h1, h2);
  }
}

}  // namespace

bool isCornerSegment(const Segment& s, double L, double W, double cellSizeX, double cellSizeY) {
  const bool topRight = (s.x1 == L && s.y1 > W - cellSizeY && s.y2 == W && s.x2 > L - cellSizeX) ||
                        (s.x2 == L && s.y2 > W - cellSizeY && s.y1 == W && s.x1 > L - cellSizeX);
  const bool bottomRight = (s.x1 == L && s.y1 < cellSizeY && s.y2 == 0 && s.x2 > L - cellSizeX) ||
                           (s.x2 == L && s.y2 < cellSizeY && s.y1 == 0 && s.x1 > L - cellSizeX);
  const bool bottomLeft = (s.x1 == 0 && s.y1 < cellSizeY && s.y2 == 0 && s.x2 < cellSizeX) ||
                          (s.x2 == 0 && s.y2 < cellSizeY && s.y1 == 0 && s.x1 < cellSizeX);
  const bool topLeft = (s.x1 == 0 && s.y1 > W - cellSizeY && s.y2 == W && s.x2 < cellSizeX) ||
                       (s.x2 == 0 && s.y2 > W - cellSizeY && s.y1 == W && s.x1 < cellSizeX);
  return topRight || bottomRight || bottomLeft || topLeft;
}

FaceFlows computeFaceFlows(const Backbone& backbone, const RunOptions& options) {
  const double L = options.domainL;
  const double W = options.domainW;
  FaceFlows flows;
  for (std::size_t k = 0; k < backbone.segments.size(); ++k) {
    const Segment& s = backbone.segments[k];
    if (isCornerSegment(s, L, W, options.cellSizeX, options.cellSizeY)) continue;
    const double h1 = backbone.head1[k];
    const double h2 = backbone.head2[k];
    addFaceTerm(flows.top, s.y1 == W, s.y2 == W, s, h1, h2);
    addFaceTerm(flows.right, s.x1 == L, s.x2 == L, s, h1, h2);
    addFaceTerm(flows.bottom, s.y1 == 0, s.y2 == 0, s, h1, h2);
    addFaceTerm(flows.left, s.x1 == 0, s.x2 == 0, s, h1, h2);
  }
  return flows;
}

}  // namespace fracflow::dfn
