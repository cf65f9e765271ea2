#include "random/random_stream.hpp"

#include <gtest/gtest.h>

namespace fracflow::random {
namespace {

TEST(RandomStream, FirstDrawOfRealizationOne) {
  RandomStream stream = RandomStream::forRealization(1);
  EXPECT_EQ(stream.state(), 714651u);
  EXPECT_EQ(stream.rawDraw(), 7260);
  RandomStream again = RandomStream::forRealization(1);
  EXPECT_EQ(again.uniform(), 0.999999 * (7260.0 / 32767.0) + 1e-8);
  EXPECT_NEAR(RandomStream::forRealization(1).uniform(), 0.2215642, 1e-7);
}

TEST(RandomStream, SeedTableEnds) {
  EXPECT_EQ(realizationSeed(1), 714651u);
  EXPECT_EQ(realizationSeed(10), 432477u);
  EXPECT_EQ(realizationSeed(11), 632281u);
  EXPECT_EQ(realizationSeed(55), 939663u);
  EXPECT_EQ(realizationSeed(100), 500000u);
}

TEST(RandomStream, RealizationsEightyFourAndNinetyDrawTheSameStream) {
  RandomStream a = RandomStream::forRealization(84);
  RandomStream b = RandomStream::forRealization(90);
  RandomStream c = RandomStream::forRealization(85);
  bool differsFromOther = false;
  for (int i = 0; i < 1000; ++i) {
    const int drawA = a.rawDraw();
    EXPECT_EQ(drawA, b.rawDraw());
    differsFromOther = differsFromOther || drawA != c.rawDraw();
  }
  EXPECT_TRUE(differsFromOther);
}

TEST(RandomStream, RawDrawIsFifteenBitsOfTheWrappedState) {
  // state 0 -> 2531011 = 0x269EC3, bits 16..30 = 0x26 = 38.
  RandomStream stream(0);
  EXPECT_EQ(stream.rawDraw(), 38);
  EXPECT_EQ(stream.state(), 2531011u);
  // Wrap-around modulo 2^32.
  RandomStream wrapping(0xFFFFFFFFu);
  wrapping.rawDraw();
  EXPECT_EQ(wrapping.state(), 0xFFFFFFFFu * 214013u + 2531011u);
  RandomStream any(12345);
  for (int i = 0; i < 100000; ++i) {
    const int r = any.rawDraw();
    ASSERT_GE(r, 0);
    ASSERT_LE(r, 32767);
  }
}

TEST(RandomStream, UniformRange) {
  // The smallest deviate belongs to a raw draw of 0; find a state that gives it.
  std::uint32_t state = 0;
  while (((state * 214013u + 2531011u) >> 16 & 32767u) != 0) ++state;
  EXPECT_EQ(RandomStream(state).uniform(), 1e-8);
  while (((state * 214013u + 2531011u) >> 16 & 32767u) != 32767) ++state;
  EXPECT_EQ(RandomStream(state).uniform(), 0.999999 + 1e-8);
}

}  // namespace
}  // namespace fracflow::random
