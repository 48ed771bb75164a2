// Brace counting by byte search gives the counts of a walk over every
// character.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/codec.h"
#include "core/cp932.h"
#include "markup/brace_count.h"

namespace qy {
namespace {

int WalkEveryCharacter(std::string_view text, char brace) {
  int count = 0;
  int backslashes = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = CharLengthAt(text, i);
    const bool single = len == 1;
    if (single && text[i] == brace && backslashes % 2 == 0) ++count;
    backslashes = single && text[i] == '\\' ? backslashes + 1 : 0;
    i += len;
  }
  return count;
}

TEST(BraceCountSearch, SameCountsAsACharacterWalk) {
  // ソ and 表 end in 0x5C, ボ and ＋ in 0x7B; ｿ is a single byte, not a lead
  // byte; 0x83 alone is a stray lead byte.
  const std::vector<std::string> pieces = {
      "{", "}", "\\", "a", " ", Sjis("ソ"), Sjis("表"), Sjis("ボ"), Sjis("＋"), Sjis("ｿ"), "\x83"};
  std::mt19937 rng(11);
  for (int n = 0; n < 400; ++n) {
    std::string text;
    const int length = static_cast<int>(rng() % 30);
    for (int i = 0; i < length; ++i) text += pieces[rng() % pieces.size()];
    for (const char brace : {'{', '}'}) {
      EXPECT_EQ(CountRealBraces(text, brace), WalkEveryCharacter(text, brace)) << text;
    }
  }
}

}  // namespace
}  // namespace qy
