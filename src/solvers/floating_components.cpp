// Union-find over the non-zero entries, then one pass over the rows for the held flags.
#include "solvers/floating_components.hpp"

#include <cmath>
#include <cstddef>
#include <numeric>

#include "io/check.hpp"

namespace fracflow::solvers {
namespace {

// The root of i's set, halving the path on the way.
int findRoot(std::vector<int>& parent, int i) {
  while (parent[static_cast<std::size_t>(i)] != i) {
    int& up = parent[static_cast<std::size_t>(i)];
    up = parent[static_cast<std::size_t>(up)];
    i = up;
  }
  return i;
}

}  // namespace

FloatingComponents findFloatingComponents(const CsrMatrix& A) {
  FRACFLOW_CHECK(isWellFormed(A));
  const auto n = static_cast<std::size_t>(A.n);
  std::vector<int> parent(n);
  std::iota(parent.begin(), parent.end(), 0);
  std::vector<bool> rowHeld(n, false);

  for (std::size_t i = 0; i < n; ++i) {
    double sum = 0.0;
    double magnitude = 0.0;
    for (auto k = A.rowStart[i]; k < A.rowStart[i + 1]; ++k) {
      const double value = A.value[k];
      sum += value;
      magnitude += std::abs(value);
      const int j = A.column[k];
      if (value == 0.0 || j == static_cast<int>(i)) continue;
      // The smaller index becomes the root, so a root is its set's smallest unknown.
      const int a = findRoot(parent, static_cast<int>(i));
      const int b = findRoot(parent, j);
      if (a < b) {
        parent[static_cast<std::size_t>(b)] = a;
      } else if (b < a) {
        parent[static_cast<std::size_t>(a)] = b;
      }
    }
    // A NaN sum counts as held: the factorization will then report the row, not hide it.
    rowHeld[i] = !(std::abs(sum) <= kZeroRowSum * magnitude);
  }

  std::vector<bool> rootHeld(n, false);
  for (std::size_t i = 0; i < n; ++i) {
    if (rowHeld[i])
      rootHeld[static_cast<std::size_t>(findRoot(parent, static_cast<int>(i)))] = true;
  }

  FloatingComponents result;
  result.componentOf.assign(n, -1);
  for (std::size_t i = 0; i < n; ++i) {
    const auto root = static_cast<std::size_t>(findRoot(parent, static_cast<int>(i)));
    if (rootHeld[root]) continue;
    // Unknowns come in ascending order and a root is its set's smallest unknown, so the
    // root is numbered before any other member.
    if (root == i) result.componentOf[i] = result.count++;
    result.componentOf[i] = result.componentOf[root];
    ++result.unknowns;
  }
  return result;
}

}  // namespace fracflow::solvers
