// Parts of a linear system that nothing holds in place: connected components of the matrix
// graph in which every row sums to zero (a cluster of nodes or cells that reaches no fixed
// head). The constant vector is then in the null space of the component's block, so the
// system is singular there and a direct factorization must leave the component out.
#pragma once

#include <vector>

#include "solvers/csr_matrix.hpp"

namespace fracflow::solvers {

struct FloatingComponents {
  // Per unknown: the number of its floating component (0, 1, ... in the order of their
  // smallest unknown), or -1 when its component is held by at least one row.
  std::vector<int> componentOf;
  int count = 0;     // floating components
  int unknowns = 0;  // unknowns in floating components
};

// Two unknowns are connected when either of the entries (i, j), (j, i) is non-zero (stored
// zeros do not connect). A row is held when |sum of its entries| exceeds kZeroRowSum times
// the sum of their magnitudes: a coupling to a fixed head lowers the diagonal by a
// conductance that has no off-diagonal partner, while rounding in a balanced row stays near
// the unit roundoff.
FloatingComponents findFloatingComponents(const CsrMatrix& A);

inline constexpr double kZeroRowSum = 1e-12;

}  // namespace fracflow::solvers
