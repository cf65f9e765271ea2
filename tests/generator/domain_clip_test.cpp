#include "generator/domain_clip.hpp"

#include <gtest/gtest.h>

namespace fracflow::generator {
namespace {

TEST(DomainClip, CutsBackToTheDomainWithExactFaceCoordinates) {
  struct Case {
    const char* name;
    LineSegment in;
    bool kept;
    LineSegment out;
  };
  // A 10 x 20 domain.
  const Case cases[] = {
      {"inside", {{1, 2}, {3, 4}}, true, {{1, 2}, {3, 4}}},
      {"beyond the left face", {{-1, 5}, {3, 5}}, true, {{0, 5}, {3, 5}}},
      {"beyond the right face", {{5, 5}, {12, 12}}, true, {{5, 5}, {10, 10}}},
      {"through both side faces", {{-5, 1}, {15, 11}}, true, {{0, 3.5}, {10, 8.5}}},
      {"through top and bottom", {{4, -2}, {6, 22}}, true, {{4 + 2.0 / 12, 0}, {6 - 2.0 / 12, 20}}},
      {"beyond a corner, through the lower face", {{5, 5}, {15, -5}}, true, {{5, 5}, {10, 0}}},
      {"wholly outside", {{11, 1}, {15, 5}}, false, {}},
      {"passing outside a corner", {{-2, 1}, {1, -2}}, false, {}},
      {"parallel to a face, beyond it", {{1, 21}, {9, 21}}, false, {}},
      {"along the bottom face", {{-3, 0}, {4, 0}}, true, {{0, 0}, {4, 0}}},
      {"touching a corner only", {{-1, 1}, {1, -1}}, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto clipped = clipToDomain(c.in, 10, 20);
    ASSERT_EQ(clipped.has_value(), c.kept);
    if (!c.kept) continue;
    EXPECT_DOUBLE_EQ(clipped->a.x, c.out.a.x);
    EXPECT_DOUBLE_EQ(clipped->a.y, c.out.a.y);
    EXPECT_DOUBLE_EQ(clipped->b.x, c.out.b.x);
    EXPECT_DOUBLE_EQ(clipped->b.y, c.out.b.y);
  }
}

TEST(DomainClip, MovedEndsLieExactlyOnTheirFace) {
  // Lines at awkward slopes: the moved coordinate is exact, the other inside the range.
  for (int k = 1; k < 200; ++k) {
    const double slope = 0.013 * k;
    const LineSegment s{{-3.3, 1.7}, {-3.3 + 40.0, 1.7 + 40.0 * slope}};
    const auto clipped = clipToDomain(s, 10, 20);
    ASSERT_TRUE(clipped.has_value());
    EXPECT_EQ(clipped->a.x, 0.0);
    EXPECT_TRUE(clipped->b.x == 10.0 || clipped->b.y == 20.0) << k;
    EXPECT_GE(clipped->b.y, 0.0);
    EXPECT_LE(clipped->b.y, 20.0);
    EXPECT_LE(clipped->b.x, 10.0);
  }
}

}  // namespace
}  // namespace fracflow::generator
