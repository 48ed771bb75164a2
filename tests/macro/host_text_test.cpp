#include "macro/host_text.h"

#include <gtest/gtest.h>

#include <string>

#include "host_fixture.h"

namespace qy::testing {
namespace {

using HostTextTest = HostTest;

// Lines split at any line break; JCopy counts a double-byte character as
// one where Copy cuts it in half; the width mappings themselves are tested
// in core, here only which way each goes.
TEST_F(HostTextTest, TextRoutines) {
  // clang-format off
  const std::pair<const char*, std::int64_t> integers[] = {
      {"TextLineCount('a'#13#10'b')", 2}, {"TextLineCount('a'#13#10'b'#13#10)", 2},
      {"TextLineCount('')", 0},           {"TextLineCount('a'#13'b'#10'c'#10#10)", 4}};
  const std::pair<const char*, std::string> strings[] = {
      {"GetTextLine('a'#13#10'b', 1)", "b"},  {"GetTextLine('a'#13'b'#10'c', 2)", "c"},
      {"GetTextLine('a'#13#10'b', 2)", ""},   {"GetTextLine('a', -1)", ""},
      {"JCopy('あいう', 2, 1)", Sjis("い")},  {"JCopy('aあｶbい', 2, 3)", Sjis("あｶb")},
      {"JCopy('あいう', 0, 1)", Sjis("あ")},  {"JCopy('あいう', 3, 100)", Sjis("う")},
      {"JCopy('あいう', 4, 1)", ""},          {"JCopy('あいう', 1, -1)", ""},
      {"Copy('あいう', 2, 2)", Sjis("あい").substr(1, 2)},
      {"Han2Zen('ｶﾞ1')", Sjis("ガ１")},      {"Zen2Han('ガ１')", Sjis("ｶﾞ1")},
      {"EndOfLineAddStr('a'#13#10'b\\par'#13#10'c', '\\par')", "a\\par\r\nb\\par\r\nc\\par"},
      {"AddStrEachLine('x', '!')", "x!"}};
  // clang-format on
  for (const auto& [expr, value] : integers) EXPECT_EQ(Int(expr), value) << expr;
  for (const auto& [expr, value] : strings) EXPECT_EQ(Str(expr), value) << expr;
  // SetTextLine only answers whether the line exists: arguments are values.
  Run("var s: String; r: Integer; begin s := 'a'#13#10'b'; "
      "r := SetTextLine(s, 1, 'x') * 10 + SetTextLine(s, 2, 'x') end.");
  EXPECT_EQ(pascal.interpreter().FindVariable("r")->IntValue, 10);
  EXPECT_EQ(pascal.interpreter().FindVariable("s")->StrValue, "a\r\nb");
}

TEST(HostTextHelpers, CaretLineOffsetsAndBrokenLeadBytes) {
  const std::string text = "ab\r\ncd\r\n\r\nef";
  // clang-format off
  const int cases[][2] = {
      {CaretRow(text, 0), 0},         {CaretRow(text, 3), 0},  // between CR and LF
      {CaretRow(text, 4), 1},         {CaretRow(text, 100), 3},
      {CaretLineStart(text, 6), 4},   {CaretLineStart(text, 8), 8},  {CaretLineStart(text, 1), 0},
      {RowStartOffset(text, 2), 8},   {RowStartOffset(text, 3), 10},
      {RowStartOffset(text, 50), 10}, {RowStartOffset(text, -1), 0}};
  // clang-format on
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i][0], cases[i][1]) << i;
  // A lead byte at the end has no trail byte: it counts as one character.
  const std::string broken = std::string("a") + '\x82';
  EXPECT_EQ(CharacterCopy(broken, 2, 1), "\x82");
  EXPECT_EQ(CharacterCopy(broken, 1, 5), broken);
}

}  // namespace
}  // namespace qy::testing
