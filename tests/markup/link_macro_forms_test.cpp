// Link targets found by byte search: the short macro forms, and candidates
// that begin inside a double-byte character.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/codec.h"
#include "markup/hotspot_link_check.h"

namespace qy {
namespace {

std::vector<std::pair<std::string, int>> Targets(const std::string& text) {
  std::vector<std::pair<std::string, int>> out;
  for (const LinkReference& ref : FindLinkReferences(text, "own.hlp")) {
    out.emplace_back(ref.context, ref.line);
  }
  return out;
}

TEST(LinkMacroForms, ShortFormsAndCharacterStarts) {
  using Refs = std::vector<std::pair<std::string, int>>;
  // ボ is 83 7B and ニ is 83 6A: a "{" or a "j" that is a trail byte.
  ASSERT_EQ(Sjis("ボ"), "\x83\x7b");
  const std::vector<std::pair<std::string, Refs>> cases = {
      {"{\\v !JI(`own.hlp', `A1')}\r\n\\{x,PI(\"\", B2)\\}", {{"A1", 1}, {"B2", 2}}},
      {"ji(C3) pI(`other.hlp', `D4') Pi(E5)", {{"C3", 1}, {"E5", 1}}},
      // Part of a longer word, or a trail byte: no macro.
      {"xji(A) _pi(B) 2JI(C) popupi(D)", {}},
      {"\x83\x6ai(A) " + Sjis("ボ") + "\\v B}", {}},
      {Sjis("表") + "JumpID(A)\r\n" + Sjis("ソ") + "{\\v B}", {{"A", 1}, {"B", 2}}},
  };
  for (const auto& [text, refs] : cases) EXPECT_EQ(Targets(text), refs) << text;
}

}  // namespace
}  // namespace qy
