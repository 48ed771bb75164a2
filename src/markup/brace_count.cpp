#include "markup/brace_count.h"

#include "core/cp932.h"

namespace qy {

int CountRealBraces(std::string_view text, char brace) {
  int count = 0;
  int backslashes = 0;  // backslash characters directly before position i
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t len = CharLengthAt(text, i);
    if (len == 1 && text[i] == brace) {
      if (backslashes % 2 == 0) ++count;
      backslashes = 0;
    } else if (len == 1 && text[i] == '\\') {
      ++backslashes;
    } else {
      backslashes = 0;
    }
    i += len;
  }
  return count;
}

BraceCounts CountBraces(std::string_view text) {
  return {CountRealBraces(text, '{'), CountRealBraces(text, '}')};
}

}  // namespace qy
