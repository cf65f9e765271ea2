// Fuzz target: the network data file reader with its midpoint test and clipping. Any text
// either reads into fractures that are finite and inside the domain, at most meet_fracs
// lines of them, or gives an error naming the file and a line in printable text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.hpp"
#include "io/check.hpp"
#include "io/message_text.hpp"
#include "network/fracture_input.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fracflow::fuzz::NetworkInput in = fracflow::fuzz::networkInput(data, size);
  const std::string fileName = "Network_data.0001.txt";
  const fracflow::network::FractureReading reading =
      fracflow::network::readFractures(in.text, fileName, in.meetFracs, in.domainL, in.domainW);
  if (reading.error) {
    FRACFLOW_CHECK(reading.error->rfind(fileName + ":", 0) == 0);
    FRACFLOW_CHECK(fracflow::io::printable(*reading.error) == *reading.error);
    return 0;
  }
  FRACFLOW_CHECK(reading.linesRead >= 0 && reading.linesRead <= in.meetFracs);
  FRACFLOW_CHECK(reading.linesNotRead >= 0);
  FRACFLOW_CHECK(reading.linesNotRead == 0 || reading.linesRead == in.meetFracs);
  FRACFLOW_CHECK(reading.fractures.size() <= static_cast<std::size_t>(reading.linesRead));
  for (const fracflow::Fracture& f : reading.fractures) {
    FRACFLOW_CHECK(std::isfinite(f.perm) && f.perm >= 0.0);
    FRACFLOW_CHECK(0.0 <= f.x1 && f.x1 <= in.domainL && 0.0 <= f.y1 && f.y1 <= in.domainW);
    FRACFLOW_CHECK(0.0 <= f.x2 && f.x2 <= in.domainL && 0.0 <= f.y2 && f.y2 <= in.domainW);
  }
  return 0;
}
