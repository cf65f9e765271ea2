// What the network fuzz targets take from the fuzzer's bytes: a domain and meet_fracs from
// the last bytes, the network data file's text from the rest, so that a seed taken from a
// real network file stays a network file.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <string>

namespace fracflow::fuzz {

struct NetworkInput {
  double domainL = 100.0;
  double domainW = 100.0;
  int meetFracs = 0;
  std::string text;
};

inline NetworkInput networkInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  // Domains of the test studies and a few far from them.
  static constexpr std::array<double, 8> kLengths = {100.0, 50.0, 200.0, 10.0, 1.0, 1e-3, 1e6, 3.7};
  NetworkInput input;
  input.domainL = kLengths[provider.ConsumeIntegralInRange<std::size_t>(0, kLengths.size() - 1)];
  input.domainW = kLengths[provider.ConsumeIntegralInRange<std::size_t>(0, kLengths.size() - 1)];
  input.meetFracs = provider.ConsumeIntegralInRange<int>(0, 5000);
  input.text = provider.ConsumeRemainingBytesAsString();
  return input;
}

}  // namespace fracflow::fuzz
