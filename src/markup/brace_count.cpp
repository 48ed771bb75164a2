#include "markup/brace_count.h"

#include "core/cp932.h"

namespace qy {

int CountRealBraces(std::string_view text, char brace) {
  // Candidates come from a byte search. `known` is a character start at or
  // before every later candidate (0, or just after the previous brace byte,
  // which is never a backslash), so no check walks back past it.
  int count = 0;
  std::size_t known = 0;
  for (std::size_t at = text.find(brace); at != std::string_view::npos;
       at = text.find(brace, at + 1)) {
    const std::size_t start = NextCharBoundary(text, known, at);
    if (start != at) {  // the trail byte of a double-byte character
      known = start;
      continue;
    }
    std::size_t run = at;
    while (run > known && text[run - 1] == '\\') --run;
    std::size_t backslashes = at - run;
    // The first byte of the run may be the trail byte of a character.
    if (backslashes > 0 && NextCharBoundary(text, known, run) != run) --backslashes;
    if (backslashes % 2 == 0) ++count;
    known = at + 1;
  }
  return count;
}

BraceCounts CountBraces(std::string_view text) {
  return {CountRealBraces(text, '{'), CountRealBraces(text, '}')};
}

}  // namespace qy
