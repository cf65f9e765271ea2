// Bucketed lookup of backbone segment ends.
#include "transport/backbone_end_index.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "core/model_constants.hpp"

namespace fracflow::transport {
namespace {

constexpr int kMaxBucketsPerAxis = 2048;

double endX(const Segment& s, int end) { return end == 0 ? s.x1 : s.x2; }
double endY(const Segment& s, int end) { return end == 0 ? s.y1 : s.y2; }

}  // namespace

int BackboneEndIndex::Axis::bucketOf(double coordinate) const {
  const double q = (coordinate - origin) / size;
  if (!(q >= 0.0)) return 0;
  if (q >= static_cast<double>(count - 1)) return count - 1;
  return static_cast<int>(q);
}

BackboneEndIndex::Axis BackboneEndIndex::makeAxis(double lo, double hi, int count) {
  Axis axis;
  const double extent = hi - lo;
  if (!(extent > 0.0) || !std::isfinite(extent)) return axis;  // one bucket holds every end
  axis.origin = lo;
  axis.count = count;
  axis.size = extent / static_cast<double>(count);
  if (!(axis.size > 0.0)) axis = Axis{};
  return axis;
}

BackboneEndIndex::BackboneEndIndex(const SegmentTable& segments) : segments_(segments) {
  const std::size_t ends = 2 * segments.size();
  double xLo = std::numeric_limits<double>::infinity(), xHi = -xLo;
  double yLo = xLo, yHi = -xLo;
  for (std::size_t e = 0; e < ends; ++e) {
    const Segment& s = segments[e / 2];
    const double x = endX(s, static_cast<int>(e % 2));
    const double y = endY(s, static_cast<int>(e % 2));
    if (std::isfinite(x)) {
      xLo = std::min(xLo, x);
      xHi = std::max(xHi, x);
    }
    if (std::isfinite(y)) {
      yLo = std::min(yLo, y);
      yHi = std::max(yHi, y);
    }
  }
  const int perAxis =
      std::clamp(static_cast<int>(std::sqrt(static_cast<double>(ends))), 1, kMaxBucketsPerAxis);
  xAxis_ = makeAxis(xLo, xHi, perAxis);
  yAxis_ = makeAxis(yLo, yHi, perAxis);

  const auto buckets =
      static_cast<std::size_t>(xAxis_.count) * static_cast<std::size_t>(yAxis_.count);
  std::vector<int> bucketOfEnd(ends, -1);
  std::vector<int> counts(buckets + 1, 0);
  for (std::size_t e = 0; e < ends; ++e) {
    const Segment& s = segments[e / 2];
    const double x = endX(s, static_cast<int>(e % 2));
    const double y = endY(s, static_cast<int>(e % 2));
    if (std::isnan(x) || std::isnan(y)) continue;  // no window holds it
    bucketOfEnd[e] = xAxis_.bucketOf(x) * yAxis_.count + yAxis_.bucketOf(y);
    ++counts[static_cast<std::size_t>(bucketOfEnd[e]) + 1];
  }
  for (std::size_t b = 0; b < buckets; ++b) counts[b + 1] += counts[b];
  bucketStart_ = counts;
  bucketEnds_.resize(static_cast<std::size_t>(counts[buckets]));
  std::vector<int> fill(counts.begin(), counts.end() - 1);
  for (std::size_t e = 0; e < ends; ++e) {
    if (bucketOfEnd[e] < 0) continue;
    const auto b = static_cast<std::size_t>(bucketOfEnd[e]);
    bucketEnds_[static_cast<std::size_t>(fill[b]++)] = static_cast<int>(e);
  }
}

void BackboneEndIndex::segmentsAt(double x, double y, std::vector<int>& out) const {
  out.clear();
  const double xLo = kWindowLow * x, xHi = kWindowHigh * x;
  const double yLo = kWindowLow * y, yHi = kWindowHigh * y;
  // A negative or non-finite-quotient position leaves an empty window (lo > hi or NaN).
  if (!(xLo <= xHi) || !(yLo <= yHi)) return;
  const int iFirst = xAxis_.bucketOf(xLo), iLast = xAxis_.bucketOf(xHi);
  const int jFirst = yAxis_.bucketOf(yLo), jLast = yAxis_.bucketOf(yHi);
  for (int i = iFirst; i <= iLast; ++i) {
    for (int j = jFirst; j <= jLast; ++j) {
      const auto b = static_cast<std::size_t>(i * yAxis_.count + j);
      for (int k = bucketStart_[b]; k < bucketStart_[b + 1]; ++k) {
        const int e = bucketEnds_[static_cast<std::size_t>(k)];
        const Segment& s = segments_[static_cast<std::size_t>(e / 2)];
        if (atParticlePosition(endX(s, e % 2), endY(s, e % 2), x, y)) out.push_back(e / 2);
      }
    }
  }
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
}

}  // namespace fracflow::transport
