// The network generator's random source: xoshiro256** seeded through splitmix64, with a
// uniform deviate on the open interval (0, 1). Defined bit for bit, so a seed gives the
// same networks with every compiler and standard library.
#pragma once

#include <array>
#include <cstdint>

namespace fracflow::generator {

// One step of splitmix64: advances state and returns a well-mixed 64-bit word.
std::uint64_t splitMix64(std::uint64_t& state);

class RandomSource {
 public:
  explicit RandomSource(std::uint64_t seed);
  // A source in the given xoshiro256** state (not all zero).
  explicit RandomSource(const std::array<std::uint64_t, 4>& state) : state_(state) {}

  // The stream of realization realizationNumber for the base seed: different realizations
  // of one seed, and one realization of different seeds, get unrelated streams.
  static RandomSource forRealization(std::uint64_t seed, int realizationNumber);

  std::uint64_t nextBits();

  double uniform() { return uniformFromBits(nextBits()); }

  // (k + 0.5) / 2^52 for the top 52 bits k: from 2^-53 to 1 - 2^-53, never 0 or 1. (With
  // 53 bits, k + 0.5 would round up to 2^53 for the largest k, giving exactly 1.)
  static double uniformFromBits(std::uint64_t bits) {
    return (static_cast<double>(bits >> 12) + 0.5) * 0x1.0p-52;
  }

 private:
  std::array<std::uint64_t, 4> state_{};
};

}  // namespace fracflow::generator
