// A run of "\'hh" escapes read at once gives the bytes and stops where
// reading them one token at a time would.
#include <gtest/gtest.h>

#include <string>

#include "topic/tokenizer.h"

namespace qy::topic {
namespace {

// The escapes Next() returns from `start` on, and where it stops.
std::pair<std::string, std::size_t> OneByOne(std::string_view text, std::size_t start) {
  Tokenizer tokens(text, start);
  std::string bytes;
  std::size_t stop = start;
  while (true) {
    const Token t = tokens.Next();
    if (t.kind != TokenKind::kHexEscape || t.malformed) break;
    bytes.push_back(static_cast<char>(t.byte));
    stop = tokens.position();
  }
  return {bytes, stop};
}

std::string Escapes(int count) {
  static const char kHex[] = "0123456789abcdef";
  std::string text;
  for (int i = 0; i < count; ++i) {
    const int byte = (i * 37 + 11) & 0xFF;
    text += "\\'";
    text += kHex[byte >> 4];
    text += kHex[byte & 15];
  }
  return text;
}

TEST(TokenizerHexRunTest, ReadsWhatSingleEscapesWouldGive) {
  const std::string cases[] = {
      "",
      "plain",
      "\\'83\\'41x",
      "\\'83\\'4",        // cut short at the end
      "\\'83\\'g1\\'41",  // not a hex digit
      "\\'8",
      "\\'83\\\\'41",  // an escaped backslash between
      "\\'0A\\'Ff{",
      "\\'83\\'41\\par",
      "\\'83\\'41\\'8G\\'41\\'41",  // a bad digit after a whole pair
      "\\'g3\\'41\\'42\\'43",       // the first of a pair is bad
      "\\'83x'41\\'42\\'43",        // the second of a pair is no escape
      "\\'83\\'41\\'42\\'4",        // an odd escape cut short at the end
      Escapes(511),
      Escapes(512) + "\\'zz",  // exactly one buffer
      Escapes(513),
      Escapes(2000) + "tail",
  };
  for (const std::string& text : cases) {
    const auto [bytes, stop] = OneByOne(text, 0);
    Tokenizer tokens(text);
    std::string read = "kept";
    tokens.ReadHexRun(read);
    EXPECT_EQ(read, "kept" + bytes) << text.substr(0, 40);
    EXPECT_EQ(tokens.position(), stop) << text.substr(0, 40);
  }
}

}  // namespace
}  // namespace qy::topic
