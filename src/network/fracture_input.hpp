// Reading a realization's network data file: one fracture per line, five numbers
// (x1 y1 x2 y2 perm) and then any text; blank lines are skipped. Each fracture read goes
// through the midpoint test and the clipping on its way into the fracture table.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "network/segment.hpp"

namespace fracflow::network {

struct FractureReading {
  FractureTable fractures;           // the kept fractures, clipped, in file order
  int linesRead = 0;                 // fracture lines read, at most meetFracs
  int linesNotRead = 0;              // fracture lines after the first meetFracs
  std::optional<std::string> error;  // "file:line: what": the file cannot be used
};

// Reads the first meetFracs fracture lines of text (a UTF-8 byte-order mark at its start is
// skipped). A line with fewer than five numbers, a field that is not a whole, finite number,
// or a negative permeability value stops the reading with an error naming the line; lines
// after the first meetFracs are only counted.
FractureReading readFractures(std::string_view text, std::string_view fileName, int meetFracs,
                              double domainL, double domainW);

}  // namespace fracflow::network
