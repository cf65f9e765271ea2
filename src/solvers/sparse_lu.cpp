// KLU with 64-bit indices. KLU takes compressed columns; the rows of A read as columns are A',
// so the factor is of A' and a solve with A is KLU's transposed solve.
#include "solvers/sparse_lu.hpp"

#include <klu.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

#include "io/check.hpp"

namespace fracflow::solvers {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

struct SparseLu::Library {
  klu_l_common common{};
  klu_l_symbolic* symbolic = nullptr;
  klu_l_numeric* numeric = nullptr;
  std::vector<SuiteSparse_long> start;
  std::vector<SuiteSparse_long> index;

  Library() { klu_l_defaults(&common); }
  ~Library() {
    if (numeric != nullptr) klu_l_free_numeric(&numeric, &common);
    if (symbolic != nullptr) klu_l_free_symbolic(&symbolic, &common);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
};

SparseLu::SparseLu(const CsrMatrix& A, double memoryLimitBytes)
    : library_(std::make_unique<Library>()) {
  FRACFLOW_CHECK(isWellFormed(A));
  Library& lib = *library_;
  const auto n = static_cast<SuiteSparse_long>(A.n);
  lib.start.assign(A.rowStart.begin(), A.rowStart.end());
  lib.index.assign(A.column.begin(), A.column.end());
  stats_.ordering = "AMD";

  const Clock::time_point analysisStart = Clock::now();
  lib.symbolic = klu_l_analyze(n, lib.start.data(), lib.index.data(), &lib.common);
  stats_.analysisSeconds = secondsSince(analysisStart);
  if (lib.symbolic == nullptr) {
    stats_.status = lib.common.status == KLU_OUT_OF_MEMORY || lib.common.status == KLU_TOO_LARGE
                        ? FactorStatus::OutOfMemory
                        : FactorStatus::Singular;
    return;
  }
  // Each factor entry is held with its row index; pivoting may add to the estimate.
  stats_.estimatedBytes =
      1.2 * (lib.symbolic->lnz + lib.symbolic->unz) * (sizeof(double) + sizeof(SuiteSparse_long)) +
      static_cast<double>(n) * 128.0;
  stats_.factorEntries = lib.symbolic->lnz + lib.symbolic->unz;
  if (stats_.estimatedBytes > memoryLimitBytes) {
    stats_.status = FactorStatus::TooLarge;
    return;
  }

  const Clock::time_point factorStart = Clock::now();
  // KLU reads the values without changing them.
  lib.numeric = klu_l_factor(lib.start.data(), lib.index.data(),
                             const_cast<double*>(A.value.data()), lib.symbolic, &lib.common);
  stats_.factorSeconds = secondsSince(factorStart);
  stats_.peakBytes = static_cast<double>(lib.common.mempeak);
  if (lib.numeric == nullptr || lib.common.status != KLU_OK) {
    stats_.status = lib.common.status == KLU_OUT_OF_MEMORY || lib.common.status == KLU_TOO_LARGE
                        ? FactorStatus::OutOfMemory
                        : FactorStatus::Singular;
    return;
  }
  stats_.factorEntries = static_cast<double>(lib.numeric->lnz + lib.numeric->unz);
}

SparseLu::~SparseLu() = default;

void SparseLu::solve(std::span<const double> b, std::span<double> x) {
  FRACFLOW_CHECK(stats_.status == FactorStatus::Factored);
  Library& lib = *library_;
  const auto n = static_cast<SuiteSparse_long>(lib.start.size() - 1);
  FRACFLOW_CHECK(b.size() == static_cast<std::size_t>(n) && x.size() == b.size());
  std::copy(b.begin(), b.end(), x.begin());
  // The factor is of A', so A x = b is the transposed solve.
  const SuiteSparse_long done =
      klu_l_tsolve(lib.symbolic, lib.numeric, n, 1, x.data(), &lib.common);
  FRACFLOW_CHECK(done == 1);
}

}  // namespace fracflow::solvers
