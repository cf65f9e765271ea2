// The flows through the four faces of the domain, summed over the backbone segments that
// end on each face. A flow is positive where water leaves the domain.
#pragma once

#include "core/face_flows.hpp"
#include "dfn/backbone.hpp"
#include "options/run_options.hpp"

namespace fracflow::dfn {

// A corner segment runs from a side face to the top or bottom face within the grid cell at
// that corner; it adds to no face flow.
bool isCornerSegment(const Segment& segment, double domainL, double domainW, double cellSizeX,
                     double cellSizeY);

FaceFlows computeFaceFlows(const Backbone& backbone, const RunOptions& options);

}  // namespace fracflow::dfn
