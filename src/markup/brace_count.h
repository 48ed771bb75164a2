// Counting the real braces of topic markup. "\{" and "\}" are literal
// braces, "\\{" is an escaped backslash before a real brace, and the trail
// byte of a double-byte character is never a backslash or a brace even when
// it has that code (ソ, 表 and 能 end in 0x5C, ＋ in 0x7B).
#pragma once

#include <string_view>

namespace qy {

// Number of real `brace` characters ('{' or '}') in `text`: occurrences on
// a character boundary preceded by an even number of backslash characters.
int CountRealBraces(std::string_view text, char brace);

struct BraceCounts {
  int open = 0;
  int close = 0;
  bool Balanced() const { return open == close; }
};

BraceCounts CountBraces(std::string_view text);

}  // namespace qy
