#include "solvers/csr_matrix.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace fracflow::solvers {
namespace {

// [[2 0 -1]
//  [0 0  0]   (row 1 stores an explicit zero on its diagonal)
//  [4 5  0]]
CsrMatrix sample() {
  CsrMatrix A;
  A.n = 3;
  A.rowStart = {0, 2, 3, 5};
  A.column = {0, 2, 1, 0, 1};
  A.value = {2.0, -1.0, 0.0, 4.0, 5.0};
  return A;
}

TEST(CsrMatrix, ProductAndDenseForm) {
  const CsrMatrix A = sample();
  std::vector<double> y(3);
  multiply(A, std::vector<double>{1.0, 2.0, 3.0}, y);
  EXPECT_EQ(y, (std::vector<double>{2.0 - 3.0, 0.0, 4.0 + 10.0}));

  const DenseMatrix dense = toDense(A);
  EXPECT_EQ(dense.a, (std::vector<double>{2, 0, -1, 0, 0, 0, 4, 5, 0}));
  EXPECT_EQ(entryAt(A, 0, 2), -1.0);
  EXPECT_EQ(entryAt(A, 0, 1), 0.0);
  EXPECT_EQ(entryAt(A, 2, 1), 5.0);
}

TEST(CsrMatrix, WellFormedness) {
  struct Case {
    const char* name;
    void (*spoil)(CsrMatrix&);
  };
  const Case cases[] = {
      {"columns not ascending", [](CsrMatrix& A) { std::swap(A.column[3], A.column[4]); }},
      {"repeated column", [](CsrMatrix& A) { A.column[1] = 0; }},
      {"column out of range", [](CsrMatrix& A) { A.column[4] = 3; }},
      {"negative column", [](CsrMatrix& A) { A.column[0] = -1; }},
      {"offsets decreasing", [](CsrMatrix& A) { A.rowStart[1] = 4; }},
      {"offsets not ending at the entry count", [](CsrMatrix& A) { A.rowStart[3] = 4; }},
      {"too few offsets", [](CsrMatrix& A) { A.rowStart.pop_back(); }},
      {"values and columns differ in length", [](CsrMatrix& A) { A.value.pop_back(); }},
  };
  EXPECT_TRUE(isWellFormed(sample()));
  EXPECT_TRUE(isWellFormed(CsrMatrix{}));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CsrMatrix A = sample();
    c.spoil(A);
    EXPECT_FALSE(isWellFormed(A));
  }
}

}  // namespace
}  // namespace fracflow::solvers
