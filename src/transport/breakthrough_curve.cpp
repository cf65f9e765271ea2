// Binning of arrival times and the breakthrough-curve file.
#include "transport/breakthrough_curve.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "io/output_file.hpp"

namespace fracflow::transport {

BreakthroughCurve::BreakthroughCurve(int bcsize, int bcstep) : bcstep_(bcstep) {
  const auto bins = static_cast<std::size_t>(std::max(bcsize, 0));
  for (std::vector<int>& face : faces_) face.assign(bins, 0);
  total_.assign(bins, 0);
}

bool BreakthroughCurve::binHolds(int j, double t) const {
  // The lower bound is an integer product; it is formed in 64 bits so that a long curve
  // cannot overflow it.
  const double lower = static_cast<double>(static_cast<long long>(j) * bcstep_);
  const double upper = (static_cast<double>(j) + 1.0) * static_cast<double>(bcstep_);
  return lower <= t && upper > t;
}

void BreakthroughCurve::recordArrival(Face face, double t) {
  const int bins = binCount();
  // With a positive width the bins are disjoint and ascending, so the first bin holding t
  // is the only one; the rounded quotient t / bcstep lies at most one bin away from it.
  if (bins == 0 || bcstep_ <= 0 || !(t >= 0.0)) return;
  const double quotient = std::floor(t / static_cast<double>(bcstep_));
  if (!(quotient <= static_cast<double>(bins))) return;
  const int guess = static_cast<int>(quotient);
  for (int j = std::max(guess - 1, 0); j <= std::min(guess + 1, bins - 1); ++j) {
    if (binHolds(j, t)) {
      ++faces_[face][static_cast<std::size_t>(j)];
      ++total_[static_cast<std::size_t>(j)];
      return;
    }
  }
}

void writeBreakthroughCurve(const BreakthroughCurve& curve, const std::filesystem::path& path) {
  io::OutputFile file(path, io::NumberFormat::fixed(1, 8));
  constexpr const char* kGap = "     ";
  const double step = static_cast<double>(curve.bcstep());
  int runningSum = 0;
  for (int j = 0; j < curve.binCount(); ++j) {
    const auto bin = static_cast<std::size_t>(j);
    runningSum += curve.total()[bin];
    file.line((static_cast<double>(j) + 0.5) * step, kGap, curve.counts(kTop)[bin], kGap,
              curve.counts(kRight)[bin], kGap, curve.counts(kBottom)[bin], kGap,
              curve.counts(kLeft)[bin], kGap, curve.total()[bin], kGap, runningSum);
  }
  file.close();
}

}  // namespace fracflow::transport
