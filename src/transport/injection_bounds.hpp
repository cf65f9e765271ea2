// The probability intervals of an injection table: record i is drawn when its lower bound
// ≤ u < the next record's lower bound, the table carrying one bound more than records.
#pragma once

#include <vector>

namespace fracflow::transport {

class InjectionBounds {
 public:
  InjectionBounds() = default;
  // bounds[0] ... bounds[n] for n records.
  explicit InjectionBounds(std::vector<double> bounds);

  // The first record i with bounds[i] ≤ u < bounds[i + 1], or -1 when there is none.
  int find(double u) const;
  const std::vector<double>& bounds() const { return bounds_; }

 private:
  std::vector<double> bounds_;
  bool ascending_ = true;
};

}  // namespace fracflow::transport
