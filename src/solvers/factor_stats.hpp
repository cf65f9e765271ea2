// What a sparse factorization reports about itself: whether it succeeded, the fill-reducing
// ordering it used, the size of the factor and the time of each stage.
#pragma once

#include <string>

namespace fracflow::solvers {

enum class FactorStatus {
  Factored,
  NotPositiveDefinite,  // Cholesky met a pivot that is not positive
  Singular,             // LU met a zero pivot
  TooLarge,             // the factor would not fit in the memory allowed (not attempted)
  OutOfMemory,          // an allocation failed during the factorization
};

struct FactorStats {
  FactorStatus status = FactorStatus::Factored;
  std::string ordering;          // the fill-reducing ordering, e.g. "AMD" or "METIS"
  double factorEntries = 0.0;    // entries of L (Cholesky) or of L and U (LU)
  double estimatedBytes = 0.0;   // size of the factor foreseen by the symbolic analysis
  double peakBytes = 0.0;        // peak memory of the library during the factorization
  double analysisSeconds = 0.0;  // ordering and symbolic analysis
  double factorSeconds = 0.0;    // numerical factorization
};

}  // namespace fracflow::solvers
