// A linear system A x = b as the flow assemblies build it: a sparse square matrix holding every
// entry the assembly touched, and the right-hand side.
#pragma once

#include <vector>

#include "solvers/csr_matrix.hpp"

namespace fracflow::solvers {

struct LinearSystem {
  CsrMatrix A;
  std::vector<double> b;
};

}  // namespace fracflow::solvers
