// Bucket grid of points: about two points per bucket, no bucket narrower than the box a
// query searches, so a query visits at most two buckets along each axis.
#include "network/point_index.hpp"

#include <algorithm>
#include <limits>
#include <utility>

namespace fracflow::network {
namespace {

// Buckets along one axis of extent `extent`, at least `minSize` wide; sets size and count.
void layAxis(double extent, double minSize, double wanted, double& size, int& count) {
  size = extent / wanted;
  if (!(size >= minSize)) size = minSize;
  if (!std::isfinite(size) || !(size > 0.0)) {
    size = 1.0;
    count = 1;
    return;
  }
  const double buckets = std::floor(extent / size) + 1.0;
  count = buckets < 1.0 ? 1 : static_cast<int>(std::min(buckets, wanted + 1.0));
}

}  // namespace

std::vector<Point> segmentEndPoints(const SegmentTable& segments) {
  std::vector<Point> points;
  points.reserve(2 * segments.size());
  for (const Segment& s : segments) {
    points.push_back({s.x1, s.y1});
    points.push_back({s.x2, s.y2});
  }
  return points;
}

PointIndex::PointIndex(std::vector<Point> points) : points_(std::move(points)) {
  double maxX = -std::numeric_limits<double>::infinity();
  double maxY = maxX;
  minX_ = std::numeric_limits<double>::infinity();
  minY_ = minX_;
  std::size_t stored = 0;
  for (const Point& p : points_) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
    ++stored;
    minX_ = std::min(minX_, p.x);
    maxX = std::max(maxX, p.x);
    minY_ = std::min(minY_, p.y);
    maxY = std::max(maxY, p.y);
  }
  if (stored == 0) return;

  const double extentX = maxX - minX_;
  const double extentY = maxY - minY_;
  const double target = std::max(1.0, static_cast<double>(stored) / 2.0);
  double wantedX = 1.0;
  double wantedY = 1.0;
  if (extentX > 0.0 && extentY > 0.0) {
    wantedX = std::max(1.0, std::floor(std::sqrt(target * extentX / extentY)));
    wantedY = std::max(1.0, std::floor(target / wantedX));
  } else if (extentX > 0.0) {
    wantedX = target;
  } else if (extentY > 0.0) {
    wantedY = target;
  }
  const double widestX = 2.0 * reach(std::max(std::fabs(minX_), std::fabs(maxX)));
  const double widestY = 2.0 * reach(std::max(std::fabs(minY_), std::fabs(maxY)));
  layAxis(extentX, widestX, wantedX, sizeX_, nx_);
  layAxis(extentY, widestY, wantedY, sizeY_, ny_);

  bucketCount_ = static_cast<std::size_t>(nx_) * static_cast<std::size_t>(ny_);
  std::vector<int> bucketOfPoint(points_.size(), -1);
  bucketStart_.assign(bucketCount_ + 1, 0);
  for (std::size_t id = 0; id < points_.size(); ++id) {
    const Point& p = points_[id];
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
    const auto b = static_cast<std::size_t>(bucketOf(p.x, minX_, sizeX_, nx_)) *
                       static_cast<std::size_t>(ny_) +
                   static_cast<std::size_t>(bucketOf(p.y, minY_, sizeY_, ny_));
    bucketOfPoint[id] = static_cast<int>(b);
    ++bucketStart_[b + 1];
  }
  for (std::size_t b = 0; b < bucketCount_; ++b) bucketStart_[b + 1] += bucketStart_[b];
  entries_.resize(stored);
  std::vector<int> fill(bucketStart_.begin(), bucketStart_.end() - 1);
  for (std::size_t id = 0; id < points_.size(); ++id) {
    if (bucketOfPoint[id] < 0) continue;
    auto& slot = fill[static_cast<std::size_t>(bucketOfPoint[id])];
    entries_[static_cast<std::size_t>(slot++)] = {points_[id].x, points_[id].y,
                                                  static_cast<int>(id)};
  }
}

void PointIndex::candidates(double qx, double qy, std::vector<int>& out) const {
  out.clear();
  forEachCandidate(qx, qy, [&out](int id, double, double) { out.push_back(id); });
  std::sort(out.begin(), out.end());
}

}  // namespace fracflow::network
