// Text taken from an input file or the command line, made safe to show in a message: control
// bytes, bytes that are not UTF-8 and characters a terminal shows as nothing or as a blank are
// written as \xNN, so a binary file cannot write raw bytes to the user's terminal and a
// no-break space glued to a number can be seen.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fracflow::io {

// text with every byte of a control character (below 0x20, 0x7F, the C1 controls), of an
// invisible or blank-looking character (no-break and other spaces, zero-width and direction
// marks, the byte-order mark) and every byte that is not part of a well-formed UTF-8
// character written as \xNN.
std::string printable(std::string_view text);

// A token found in an input file, for a message: in single quotes, printable, its first
// kShownBytes bytes followed by "..." when it is longer.
inline constexpr std::size_t kShownBytes = 24;
std::string quotedToken(std::string_view token);

}  // namespace fracflow::io
