// xoshiro256** (Blackman and Vigna) over a state filled by splitmix64.
#include "generator/random_source.hpp"

namespace fracflow::generator {
namespace {

std::uint64_t rotateLeft(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

}  // namespace

std::uint64_t splitMix64(std::uint64_t& state) {
  state += 0x9e3779b97f4a7c15ULL;
  std::uint64_t z = state;
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}

RandomSource::RandomSource(std::uint64_t seed) {
  std::uint64_t s = seed;
  for (std::uint64_t& word : state_) word = splitMix64(s);
}

RandomSource RandomSource::forRealization(std::uint64_t seed, int realizationNumber) {
  std::uint64_t s = seed;
  const std::uint64_t base = splitMix64(s);
  std::uint64_t t =
      base ^ (static_cast<std::uint64_t>(static_cast<std::uint32_t>(realizationNumber)) *
              0xd1b54a32d192ed03ULL);
  return RandomSource(splitMix64(t));
}

std::uint64_t RandomSource::nextBits() {
  const std::uint64_t result = rotateLeft(state_[1] * 5, 7) * 9;
  const std::uint64_t t = state_[1] << 17;
  state_[2] ^= state_[0];
  state_[3] ^= state_[1];
  state_[1] ^= state_[2];
  state_[0] ^= state_[3];
  state_[2] ^= t;
  state_[3] = rotateLeft(state_[3], 45);
  return result;
}

}  // namespace fracflow::generator
