#include "solvers/csr_builder.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "solvers/csr_matrix.hpp"
#include "solvers/dense_matrix.hpp"
#include "support/same_bits.hpp"

namespace fracflow::solvers {
namespace {

TEST(CsrBuilder, StoresTouchedEntriesInColumnOrderAndAlwaysTheDiagonal) {
  CsrBuilder builder(4);
  builder.beginRow();  // row 0: nothing touched but its diagonal
  builder.endRow();
  builder.beginRow();  // row 1
  builder.set(3, 0.5);
  builder.subtract(1, 0.5);
  builder.set(0, 0.25);
  builder.subtract(1, 0.25);
  builder.endRow();
  builder.beginRow();  // row 2: a set entry that ends at zero is still stored
  builder.set(0, 0.0);
  builder.endRow();
  builder.beginRow();  // row 3
  builder.add(2, 1.0);
  builder.set(2, 4.0);  // assignment overwrites what was added
  builder.add(2, 0.5);  // and later additions build on it
  builder.endRow();
  const CsrMatrix A = builder.finish();

  ASSERT_TRUE(isWellFormed(A));
  EXPECT_EQ(A.rowStart, (std::vector<std::size_t>{0, 1, 4, 6, 8}));
  EXPECT_EQ(A.column, (std::vector<int>{0, 0, 1, 3, 0, 2, 2, 3}));
  EXPECT_EQ(A.value, (std::vector<double>{0.0, 0.25, -0.75, 0.5, 0.0, 0.0, 4.5, 0.0}));
}

TEST(CsrBuilder, EmptyMatrix) {
  CsrBuilder builder(0);
  const CsrMatrix A = builder.finish();
  EXPECT_TRUE(isWellFormed(A));
  EXPECT_EQ(A.n, 0);
  EXPECT_TRUE(A.column.empty());
}

TEST(CsrBuilder, GetSeesTheRowBeingBuilt) {
  CsrBuilder builder(3);
  builder.beginRow();
  EXPECT_EQ(builder.row(), 0);
  builder.add(2, 1.5);
  EXPECT_EQ(builder.get(2), 1.5);
  EXPECT_EQ(builder.get(1), 0.0);
  builder.endRow();
  builder.beginRow();
  EXPECT_EQ(builder.row(), 1);
  EXPECT_EQ(builder.get(2), 0.0);  // nothing carries over from the previous row
}

// Random sequences of assignments and accumulations on a dense row that starts at zero, as the
// dense assemblies do, against the builder: same values bit for bit, including the sign of
// zero, with the untouched entries (and only those) left out.
TEST(CsrBuilder, MatchesADenseAssemblyOnRandomUpdates) {
  std::mt19937_64 engine(42);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  for (int trial = 0; trial < 20; ++trial) {
    const int n = 1 + static_cast<int>(engine() % 60);
    std::uniform_int_distribution<int> anyColumn(0, n - 1);
    DenseMatrix dense(n);
    std::vector<std::vector<bool>> touched(static_cast<std::size_t>(n),
                                           std::vector<bool>(static_cast<std::size_t>(n), false));
    CsrBuilder builder(n);
    for (int i = 0; i < n; ++i) {
      builder.beginRow();
      touched[static_cast<std::size_t>(i)][static_cast<std::size_t>(i)] = true;
      const int updates = static_cast<int>(engine() % 12);
      for (int u = 0; u < updates; ++u) {
        const int j = engine() % 3 == 0 ? i : anyColumn(engine);
        const double value = engine() % 5 == 0 ? -0.0 : unit(engine);
        touched[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = true;
        switch (engine() % 3) {
          case 0:
            dense.at(i, j) = value;
            builder.set(j, value);
            break;
          case 1:
            dense.at(i, j) += value;
            builder.add(j, value);
            break;
          default:
            dense.at(i, j) -= value;
            builder.subtract(j, value);
            break;
        }
      }
      builder.endRow();
    }
    const CsrMatrix A = builder.finish();
    ASSERT_TRUE(isWellFormed(A));
    const DenseMatrix back = toDense(A);
    for (int i = 0; i < n; ++i) {
      std::size_t stored = 0;
      for (int j = 0; j < n; ++j) {
        ASSERT_SAME_BITS(back.at(i, j), dense.at(i, j)) << i << ", " << j;
        if (touched[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]) ++stored;
      }
      EXPECT_EQ(
          A.rowStart[static_cast<std::size_t>(i) + 1] - A.rowStart[static_cast<std::size_t>(i)],
          stored);
    }
  }
}

TEST(CsrBuilderDeathTest, RowsOutOfTurnAreABug) {
  EXPECT_DEATH(
      {
        CsrBuilder builder(1);
        builder.beginRow();
        builder.beginRow();
      },
      "internal error");
  EXPECT_DEATH(
      {
        CsrBuilder builder(2);
        builder.beginRow();
        builder.set(2, 1.0);
      },
      "internal error");
  EXPECT_DEATH(
      {
        CsrBuilder builder(2);
        builder.beginRow();
        builder.endRow();
        (void)builder.finish();
      },
      "internal error");
}

}  // namespace
}  // namespace fracflow::solvers
