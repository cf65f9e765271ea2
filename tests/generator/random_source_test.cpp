#include "generator/random_source.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace fracflow::generator {
namespace {

TEST(RandomSource, MatchesThePublishedStreams) {
  // splitmix64 from state 0 and xoshiro256** from state {1, 2, 3, 4}: the first outputs of
  // the authors' reference code.
  std::uint64_t state = 0;
  EXPECT_EQ(splitMix64(state), 0xe220a8397b1dcdafULL);
  EXPECT_EQ(splitMix64(state), 0x6e789e6aa1b965f4ULL);
  EXPECT_EQ(splitMix64(state), 0x06c45d188009454fULL);
  RandomSource xoshiro(std::array<std::uint64_t, 4>{1, 2, 3, 4});
  EXPECT_EQ(xoshiro.nextBits(), 11520ULL);
  EXPECT_EQ(xoshiro.nextBits(), 0ULL);
  EXPECT_EQ(xoshiro.nextBits(), 1509978240ULL);
  EXPECT_EQ(xoshiro.nextBits(), 1215971899390074240ULL);
}

TEST(RandomSource, UniformStaysInsideTheOpenInterval) {
  EXPECT_EQ(RandomSource::uniformFromBits(0), 0x1.0p-53);
  EXPECT_EQ(RandomSource::uniformFromBits(~0ULL), 1.0 - 0x1.0p-53);
  EXPECT_LT(RandomSource::uniformFromBits(~0ULL), 1.0);
  // The low 12 bits do not matter; the next bit moves the deviate by 2^-52.
  EXPECT_EQ(RandomSource::uniformFromBits(0xfffULL), 0x1.0p-53);
  EXPECT_EQ(RandomSource::uniformFromBits(0x1000ULL), 3 * 0x1.0p-53);
}

TEST(RandomSource, RealizationStreamsAreReproducibleAndDistinct) {
  auto first = [](std::uint64_t seed, int k) {
    return RandomSource::forRealization(seed, k).nextBits();
  };
  EXPECT_EQ(first(0, 1), first(0, 1));
  std::set<std::uint64_t> seen;
  for (std::uint64_t seed : {0ULL, 1ULL, 2ULL, 12345ULL, ~0ULL}) {
    for (int k = 1; k <= 100; ++k) seen.insert(first(seed, k));
  }
  EXPECT_EQ(seen.size(), 500u);
}

}  // namespace
}  // namespace fracflow::generator
