// What a solve did: whether it met its tolerance, how many iterations (steps) it made and the
// residual it ended with. The solvers return it and leave the decision to the caller.
#pragma once

namespace fracflow::solvers {

struct SolveReport {
  bool converged = false;
  long long iterations = 0;  // as the solver's console line counts them
  double residual = 0.0;     // the final relative residual, ||r|| / ||b|| (0 when solved exactly)
};

}  // namespace fracflow::solvers
