// Bucketed lookup of nodes by position.
#include "dfn/node_index.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "dfn/point_windows.hpp"

namespace fracflow::dfn {
namespace {

bool isFinitePoint(double x, double y) { return std::isfinite(x) && std::isfinite(y); }

// Buckets along one axis for a spread of nodes: about sqrt(count · ratio), at least 1 and
// at most count.
int bucketsAlong(double ratio, std::size_t count) {
  const double wanted = std::ceil(std::sqrt(static_cast<double>(count) * ratio));
  if (!(wanted >= 1.0)) return 1;
  if (wanted >= static_cast<double>(count)) return static_cast<int>(std::max<std::size_t>(count, 1));
  return static_cast<int>(wanted);
}

// The bucket of a coordinate. Each step (subtraction, multiplication by a positive scale,
// clamping) is monotone in IEEE arithmetic, so a coordinate in [lo, hi] always falls in a
// bucket between those of lo and hi: the bucket ranges of a query are a true superset.
int bucketOf(double coordinate, double minimum, double scale, int count) {
  const double t = (coordinate - minimum) * scale;
  if (!(t > 0.0)) return 0;
  if (t >= static_cast<double>(count)) return count - 1;
  return static_cast<int>(t);
}

}  // namespace

NodeIndex::NodeIndex(const std::vector<Node>& nodes) {
  x_.reserve(nodes.size());
  y_.reserve(nodes.size());
  double maxX = 0.0;
  double maxY = 0.0;
  std::size_t finite = 0;
  for (const Node& node : nodes) {
    x_.push_back(node.x);
    y_.push_back(node.y);
    if (!isFinitePoint(node.x, node.y)) continue;
    if (finite == 0) {
      minX_ = maxX = node.x;
      minY_ = maxY = node.y;
    } else {
      minX_ = std::min(minX_, node.x);
      maxX = std::max(maxX, node.x);
      minY_ = std::min(minY_, node.y);
      maxY = std::max(maxY, node.y);
    }
    ++finite;
  }

  const double width = maxX - minX_;
  const double height = maxY - minY_;
  if (width > 0.0 && height > 0.0) {
    countX_ = bucketsAlong(width / height, finite);
    countY_ = bucketsAlong(height / width, finite);
  } else if (width > 0.0) {
    countX_ = bucketsAlong(static_cast<double>(finite), finite);
  } else if (height > 0.0) {
    countY_ = bucketsAlong(static_cast<double>(finite), finite);
  }
  scaleX_ = width > 0.0 ? static_cast<double>(countX_) / width : 0.0;
  scaleY_ = height > 0.0 ? static_cast<double>(countY_) / height : 0.0;

  // Counting sort of the nodes into their buckets, each bucket in ascending node order.
  // Nodes with a coordinate that is not finite lie in no window and are left out.
  const auto buckets = static_cast<std::size_t>(countX_) * static_cast<std::size_t>(countY_);
  std::vector<int> bucketOfNode(nodes.size(), -1);
  bucketStart_.assign(buckets + 1, 0);
  for (std::size_t p = 0; p < nodes.size(); ++p) {
    if (!isFinitePoint(x_[p], y_[p])) continue;
    bucketOfNode[p] = bucketX(x_[p]) * countY_ + bucketY(y_[p]);
    ++bucketStart_[static_cast<std::size_t>(bucketOfNode[p]) + 1];
  }
  for (std::size_t b = 0; b < buckets; ++b) bucketStart_[b + 1] += bucketStart_[b];
  bucketNodes_.resize(static_cast<std::size_t>(bucketStart_[buckets]));
  std::vector<int> fill(bucketStart_.begin(), bucketStart_.end() - 1);
  for (std::size_t p = 0; p < nodes.size(); ++p) {
    if (bucketOfNode[p] < 0) continue;
    bucketNodes_[static_cast<std::size_t>(fill[static_cast<std::size_t>(bucketOfNode[p])]++)] =
        static_cast<int>(p);
  }
}

int NodeIndex::bucketX(double x) const { return bucketOf(x, minX_, scaleX_, countX_); }
int NodeIndex::bucketY(double y) const { return bucketOf(y, minY_, scaleY_, countY_); }

void NodeIndex::collectBuckets(double xLo, double xHi, double yLo, double yHi,
                               std::vector<int>& out) const {
  const int iLast = bucketX(xHi);
  const int jFirst = bucketY(yLo);
  const int jLast = bucketY(yHi);
  for (int i = bucketX(xLo); i <= iLast; ++i) {
    for (int j = jFirst; j <= jLast; ++j) {
      const auto b = static_cast<std::size_t>(i) * static_cast<std::size_t>(countY_) +
                     static_cast<std::size_t>(j);
      out.insert(out.end(), bucketNodes_.begin() + bucketStart_[b],
                 bucketNodes_.begin() + bucketStart_[b + 1]);
    }
  }
}

void NodeIndex::nodesInRelativeWindowOf(double ex, double ey, int firstNode,
                                        std::vector<int>& out) const {
  out.clear();
  // The window bounds are the very products the predicate compares with.
  const double xLo = std::min(0.999999 * ex, 1.000001 * ex);
  const double xHi = std::max(0.999999 * ex, 1.000001 * ex);
  const double yLo = std::min(0.999999 * ey, 1.000001 * ey);
  const double yHi = std::max(0.999999 * ey, 1.000001 * ey);
  if (!isFinitePoint(ex, ey) || !(xLo < xHi) || !(yLo < yHi)) return;
  collectBuckets(xLo, xHi, yLo, yHi, out);
  std::erase_if(out, [&](int q) {
    const auto k = static_cast<std::size_t>(q);
    return q < firstNode || !inRelativeWindow(x_[k], y_[k], ex, ey);
  });
  std::sort(out.begin(), out.end());
}

void NodeIndex::nodesWhoseWidenedWindowHolds(double ex, double ey, double d,
                                             std::vector<int>& out) const {
  out.clear();
  if (!isFinitePoint(ex, ey)) return;
  // A node whose widened window holds E lies within about 1e-6·|E| + 1e-6 (+ d below in y)
  // of E; these margins are several times that, far beyond any rounding of the bounds.
  const double marginX = 4e-6 * std::fabs(ex) + 4e-5;
  const double marginY = 4e-6 * std::fabs(ey) + 4e-5 + 4.0 * std::fabs(d);
  collectBuckets(ex - marginX, ex + marginX, ey - marginY, ey + marginY, out);
  std::erase_if(out, [&](int p) {
    const auto k = static_cast<std::size_t>(p);
    return !inWidenedWindow(ex, ey, x_[k], y_[k], d);
  });
  std::sort(out.begin(), out.end());
}

}  // namespace fracflow::dfn
