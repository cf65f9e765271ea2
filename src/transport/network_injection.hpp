// The network injection table: the backbone segments whose upstream end lies in the
// injection window. Every injection segment is drawn with the same chance, whatever its flow.
#pragma once

#include <vector>

#include "dfn/backbone.hpp"
#include "options/run_options.hpp"
#include "transport/injection_bounds.hpp"

namespace fracflow::transport {

struct InjectionSegment {
  double startX = 0.0;  // the upstream end, inside the window
  double startY = 0.0;
  double endX = 0.0;  // the downstream end
  double endY = 0.0;
  double injectionFlow = 0.0;  // segmentFlow from start to end
  int downstreamEnd = -1;      // the end number of (endX, endY)
};

struct NetworkInjectionTable {
  std::vector<InjectionSegment> records;
  InjectionBounds bounds;  // record i: bounds[i] ≤ u < bounds[i + 1], each 1/n wide
  int count() const { return static_cast<int>(records.size()); }
};

// The window between the grid lines scellx ... ecellx and scelly ... ecelly (numbered from
// 1), its edges included.
bool inNetworkInjectionWindow(const RunOptions& options, double px, double py);

NetworkInjectionTable buildNetworkInjectionTable(const RunOptions& options,
                                                 const Backbone& backbone);

}  // namespace fracflow::transport
