#include "dfn/start_vector.hpp"

#include <gtest/gtest.h>

namespace fracflow::dfn {
namespace {

RunOptions faceHeads(double tf1, double tf2, double rf1, double rf2, double bf1, double bf2,
                     double lf1, double lf2) {
  RunOptions o;
  o.domainL = 20.0;
  o.domainW = 10.0;
  o.tf1 = tf1, o.tf2 = tf2, o.rf1 = rf1, o.rf2 = rf2;
  o.bf1 = bf1, o.bf2 = bf2, o.lf1 = lf1, o.lf2 = lf2;
  return o;
}

NodeTable interior() {
  NodeTable t;
  t.boundaryNodes = 1;
  t.internalNodes = 3;
  t.nodes = {{9.0, 0.0, 1.0}, {0.0, 5.0, 2.5}, {0.0, 10.0, 5.0}, {0.0, 19.5, 0.5}};
  return t;
}

TEST(StartVector, EqualFaceHeadsGiveThatHeadEverywhere) {
  const std::vector<double> x = startVector(interior(), faceHeads(7, 7, 7, 7, 7, 7, 7, 7));
  ASSERT_EQ(x.size(), 3u);
  for (const double v : x) EXPECT_DOUBLE_EQ(v, 7.0);
}

TEST(StartVector, WeighsEachFaceByTheDistanceFromTheOppositeFace) {
  // Heads 1 on the top, 0 elsewhere; node (5, 2.5): weights W - dTop = 2.5 of Ht = 1 over
  // the distances 7.5 + 2.5 + 15 + 5 = 30, so 2.5 / 30. Left face running 0 -> 4 along y
  // and the rest 0, node (10, 5): Hl = 2, weight L - dLeft = 10, over 5 + 5 + 10 + 10 = 30.
  EXPECT_DOUBLE_EQ(startVector(interior(), faceHeads(1, 1, 0, 0, 0, 0, 0, 0))[0], 2.5 / 30.0);
  EXPECT_DOUBLE_EQ(startVector(interior(), faceHeads(0, 0, 0, 0, 0, 0, 0, 4))[1],
                   2.0 * 10.0 / 30.0);
}

}  // namespace
}  // namespace fracflow::dfn
