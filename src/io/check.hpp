// FRACFLOW_CHECK: a broken invariant (a bug, never bad input) stops the program loudly with
// the file and line, in every build type.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FRACFLOW_CHECK(condition)                                                          \
  do {                                                                                     \
    if (!(condition)) {                                                                    \
      std::fprintf(stderr, "%s:%d: internal error: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                        \
    }                                                                                      \
  } while (false)
