// The breakthrough curve: per-face histograms of particle arrival times in bins of one fixed
// width, the travel-time cap both particle walks share, and the curve file they write.
#pragma once

#include <filesystem>
#include <vector>

#include "grid/cell.hpp"
#include "options/run_options.hpp"

namespace fracflow::transport {

class BreakthroughCurve {
 public:
  // bcsize bins of width bcstep; no bins at all when bcsize is not positive.
  BreakthroughCurve(int bcsize, int bcstep);

  // Counts an arrival at the face in the bin j with j·bcstep ≤ t < (j + 1)·bcstep; an arrival
  // that no bin holds (before 0, at or after bcsize·bcstep, or not a number) is dropped.
  void recordArrival(Face face, double t);

  int binCount() const { return static_cast<int>(total_.size()); }
  int bcstep() const { return bcstep_; }
  const std::vector<int>& counts(Face face) const { return faces_[face]; }
  const std::vector<int>& total() const { return total_; }

 private:
  bool binHolds(int j, double t) const;

  int bcstep_;
  std::vector<int> faces_[4];
  std::vector<int> total_;
};

// The travel time after which a particle is given up: a little beyond the last bin.
inline double timeLimit(const RunOptions& options) {
  return static_cast<double>(options.bcsize) * 1.001 * static_cast<double>(options.bcstep);
}

// One line per bin: the bin centre, the four face counts, the total and the running sum of
// the totals, each right-aligned in 8 characters and separated by five blanks.
void writeBreakthroughCurve(const BreakthroughCurve& curve, const std::filesystem::path& path);

}  // namespace fracflow::transport
