// CHOLMOD with 64-bit indices. The matrix goes in as its lower triangle read column by column
// from the rows (row i of A is column i of A', and A' = A), scaled by the sign. The
// simplicial method is asked for: its arithmetic is CHOLMOD's own, with no BLAS calls whose
// sums could depend on the library or the thread count.
#include "solvers/sparse_cholesky.hpp"

#include <cholmod.h>

#include <chrono>
#include <cstddef>

#include "io/check.hpp"

namespace fracflow::solvers {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

const char* orderingName(int ordering) {
  switch (ordering) {
    case CHOLMOD_NATURAL:
      return "natural";
    case CHOLMOD_AMD:
      return "AMD";
    case CHOLMOD_METIS:
      return "METIS";
    case CHOLMOD_NESDIS:
      return "nested dissection";
    case CHOLMOD_COLAMD:
      return "COLAMD";
    default:
      return "other";
  }
}

}  // namespace

struct SparseCholesky::Library {
  cholmod_common common{};
  cholmod_factor* factor = nullptr;

  Library() {
    cholmod_l_start(&common);
    common.print = 0;  // no messages of its own on the console
    common.supernodal = CHOLMOD_SIMPLICIAL;
    common.final_ll = 1;  // L L', which stops at the first pivot that is not positive
  }
  ~Library() {
    if (factor != nullptr) cholmod_l_free_factor(&factor, &common);
    cholmod_l_finish(&common);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
};

SparseCholesky::SparseCholesky(const CsrMatrix& A, double sign, double memoryLimitBytes)
    : library_(std::make_unique<Library>()), sign_(sign) {
  FRACFLOW_CHECK(isWellFormed(A) && (sign == 1.0 || sign == -1.0));
  cholmod_common& common = library_->common;
  const auto n = static_cast<std::size_t>(A.n);

  std::size_t lower = 0;
  for (std::size_t i = 0; i < n; ++i) {
    for (auto k = A.rowStart[i]; k < A.rowStart[i + 1]; ++k) {
      if (static_cast<std::size_t>(A.column[k]) <= i) ++lower;
    }
  }
  cholmod_sparse* M = cholmod_l_allocate_sparse(n, n, lower, 1, 1, 1, CHOLMOD_REAL, &common);
  if (M == nullptr) {
    stats_.status = FactorStatus::OutOfMemory;
    return;
  }
  // Column i of M holds the entries (j, i), j <= i: the upper triangle of M = sign · A.
  auto* p = static_cast<SuiteSparse_long*>(M->p);
  auto* rowIndex = static_cast<SuiteSparse_long*>(M->i);
  auto* x = static_cast<double*>(M->x);
  std::size_t filled = 0;
  p[0] = 0;
  for (std::size_t i = 0; i < n; ++i) {
    for (auto k = A.rowStart[i]; k < A.rowStart[i + 1]; ++k) {
      if (static_cast<std::size_t>(A.column[k]) > i) continue;
      rowIndex[filled] = A.column[k];
      x[filled] = sign * A.value[k];
      ++filled;
    }
    p[i + 1] = static_cast<SuiteSparse_long>(filled);
  }

  const Clock::time_point analysisStart = Clock::now();
  library_->factor = cholmod_l_analyze(M, &common);
  stats_.analysisSeconds = secondsSince(analysisStart);
  if (library_->factor == nullptr) {
    cholmod_l_free_sparse(&M, &common);
    stats_.status = FactorStatus::OutOfMemory;
    return;
  }
  cholmod_factor* L = library_->factor;
  stats_.ordering = orderingName(common.method[common.selected].ordering);
  stats_.factorEntries = common.lnz;
  // A simplicial factor holds each entry with its row index, with some room to grow, and a
  // few index arrays over the columns.
  stats_.estimatedBytes = 1.2 * common.lnz * (sizeof(double) + sizeof(SuiteSparse_long)) +
                          static_cast<double>(n) * 128.0;
  if (stats_.estimatedBytes > memoryLimitBytes) {
    cholmod_l_free_sparse(&M, &common);
    stats_.status = FactorStatus::TooLarge;
    return;
  }

  const Clock::time_point factorStart = Clock::now();
  cholmod_l_factorize(M, L, &common);
  stats_.factorSeconds = secondsSince(factorStart);
  cholmod_l_free_sparse(&M, &common);
  stats_.peakBytes = static_cast<double>(common.memory_usage);
  if (common.status == CHOLMOD_OUT_OF_MEMORY || common.status == CHOLMOD_TOO_LARGE) {
    stats_.status = FactorStatus::OutOfMemory;
  } else if (common.status != CHOLMOD_OK || L->minor < L->n) {
    stats_.status = FactorStatus::NotPositiveDefinite;
  }
}

SparseCholesky::~SparseCholesky() = default;

void SparseCholesky::solve(std::span<const double> b, std::span<double> x) {
  FRACFLOW_CHECK(stats_.status == FactorStatus::Factored);
  cholmod_common& common = library_->common;
  const std::size_t n = library_->factor->n;
  FRACFLOW_CHECK(b.size() == n && x.size() == n);
  cholmod_dense* B = cholmod_l_allocate_dense(n, 1, n, CHOLMOD_REAL, &common);
  FRACFLOW_CHECK(B != nullptr);
  auto* bx = static_cast<double*>(B->x);
  // (sign A) x = sign b.
  for (std::size_t i = 0; i < n; ++i) bx[i] = sign_ * b[i];
  cholmod_dense* X = cholmod_l_solve(CHOLMOD_A, library_->factor, B, &common);
  FRACFLOW_CHECK(X != nullptr);
  const auto* xx = static_cast<const double*>(X->x);
  for (std::size_t i = 0; i < n; ++i) x[i] = xx[i];
  cholmod_l_free_dense(&X, &common);
  cholmod_l_free_dense(&B, &common);
}

}  // namespace fracflow::solvers
