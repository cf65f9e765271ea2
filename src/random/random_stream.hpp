// The realization's pseudo-random stream: a 32-bit linear congruential generator with a
// fixed seed per realization number, its 15-bit raw draw and the uniform deviate.
#pragma once

#include <cstdint>

namespace fracflow::random {

// The seed of realization k (1 to 100). Realizations 84 and 90 share a seed.
std::uint32_t realizationSeed(int realizationNumber);

class RandomStream {
 public:
  explicit RandomStream(std::uint32_t seed) : state_(seed) {}
  static RandomStream forRealization(int realizationNumber) {
    return RandomStream(realizationSeed(realizationNumber));
  }

  // Advances the state and returns bits 16 to 30: an integer from 0 to 32767.
  int rawDraw() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 32767u);
  }

  // A deviate in [1e-8, 0.999999 + 1e-8]: never 0, never 1.
  double uniform() { return uniformOf(rawDraw()); }

  // The deviate of a raw draw; it rises with the raw draw.
  static double uniformOf(int raw) {
    const double r = static_cast<double>(raw);
    const double u = r / 32767.0;
    return 0.999999 * u + 1e-8;
  }

  std::uint32_t state() const { return state_; }

 private:
  std::uint32_t state_;
};

}  // namespace fracflow::random
