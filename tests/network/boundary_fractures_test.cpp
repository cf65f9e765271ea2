#include "network/boundary_fractures.hpp"

#include <gtest/gtest.h>

namespace fracflow::network {
namespace {

TEST(JoinsTwoFaces, ComparesTheEndsWithTheFacesExactly) {
  const struct {
    const char* name;
    Fracture f;
    bool joins;
  } cases[] = {
      {"left to right", {1, 0, 3, 10, 7}, true},
      {"right to left", {1, 10, 3, 0, 7}, true},
      {"bottom to top", {1, 4, 0, 6, 10}, true},
      {"top to right", {1, 4, 10, 10, 6}, true},
      {"along the left face", {1, 0, 3, 0, 7}, false},
      {"corner (0, 0) to the left face", {1, 0, 0, 0, 7}, true},
      {"one end on a face", {1, 2, 0, 5, 5}, false},
      {"inside", {1, 2, 2, 5, 5}, false},
      {"just off the right face", {1, 0, 3, 9.999999999, 7}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(joinsTwoFaces(c.f, 10.0, 10.0), c.joins);
  }
}

TEST(MoveBoundaryFracturesToFront, ExchangesEachWithTheFirstFreeRecord) {
  const Fracture inside1{1, 2, 2, 3, 3};
  const Fracture inside2{2, 4, 4, 5, 5};
  const Fracture across{3, 0, 5, 10, 5};
  FractureTable table = {inside1, inside2, across};
  EXPECT_EQ(moveBoundaryFracturesToFront(table, 10.0, 10.0), 1);
  // The third goes first, the former first takes its place, the second stays.
  EXPECT_EQ(table[0].perm, 3);
  EXPECT_EQ(table[1].perm, 2);
  EXPECT_EQ(table[2].perm, 1);

  FractureTable two = {inside1, across, inside2, across};
  two[3].perm = 4;
  EXPECT_EQ(moveBoundaryFracturesToFront(two, 10.0, 10.0), 2);
  EXPECT_EQ(two[0].perm, 3);  // the boundary fractures keep their order at the front
  EXPECT_EQ(two[1].perm, 4);
  EXPECT_EQ(two[2].perm, 2);
  EXPECT_EQ(two[3].perm, 1);

  FractureTable none;
  EXPECT_EQ(moveBoundaryFracturesToFront(none, 10.0, 10.0), 0);
}

}  // namespace
}  // namespace fracflow::network
