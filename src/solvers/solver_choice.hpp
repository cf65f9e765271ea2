// Which solver a run uses for the two flow systems: the model's iterative solvers (MINRES for
// the network, BiCG for the grid; the default, the same bytes on every machine) or a sparse
// direct factorization (results that agree with the default to the solver tolerance).
#pragma once

namespace fracflow::solvers {

enum class SolverChoice { Iterative, Direct };

}  // namespace fracflow::solvers
