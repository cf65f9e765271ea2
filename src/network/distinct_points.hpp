// A fixed set of points gathered by position: each distinct position once, with how many
// points sit there, in a bucket index. Many fractures ending at one point then cost one
// candidate per query instead of one per fracture.
#pragma once

#include <cstddef>
#include <vector>

#include "network/point_index.hpp"

namespace fracflow::network {

class DistinctPoints {
 public:
  explicit DistinctPoints(std::vector<Point> points);

  // The points as given, by id.
  std::size_t size() const { return points_.size(); }
  const Point& point(int id) const { return points_[static_cast<std::size_t>(id)]; }

  // The position of point id among the distinct positions, or −1 when a coordinate is not
  // finite (such a point lies in no window and no window lies about it).
  int positionOf(int id) const { return positionOf_[static_cast<std::size_t>(id)]; }
  // How many of the points lie exactly at position p (coordinates compare equal).
  int multiplicity(int p) const { return multiplicity_[static_cast<std::size_t>(p)]; }
  std::size_t positionCount() const { return multiplicity_.size(); }

  // The distinct positions, ids 0 … positionCount() − 1, in a bucket index.
  const PointIndex& positions() const { return positions_; }

 private:
  std::vector<Point> points_;
  std::vector<int> positionOf_;
  std::vector<int> multiplicity_;
  PointIndex positions_;
};

}  // namespace fracflow::network
