// Reading the help compiler's log and the decision that follows a build.
#include "build/compiler_log.h"

#include <gtest/gtest.h>

#include "core/codec.h"

namespace qy {
namespace {

const std::string kNote =
    "    HC1002: Note: Using existing phrase table\r\n"
    " Using existing phrase table: C:\\guide.ph.\r\n";
const std::string kWarning =
    "    HC3025: Warning: guide.rtf : Jump to undefined Topic ID\r\n"
    " Jump to undefined Topic ID: \"HLP000009\".\r\n";
const std::string kError =
    "    HC1001: Error: the file is missing\r\n"
    " File not found.\r\n";

TEST(CompilerLogParse, RowsTakeCodeKindAndTheNextLine) {
  ParsedLog log = ParseCompilerLog("Microsoft (R) Help Compiler\r\n" + kNote + kWarning);
  ASSERT_EQ(log.entries.size(), 2u);
  EXPECT_EQ(log.entries[0],
            (DebugEntry{DebugKind::kNote, "HC1002", "Using existing phrase table: C:\\guide.ph."}));
  EXPECT_EQ(log.entries[1].code, "HC3025");
  EXPECT_TRUE(log.has_note && log.has_warning);
  EXPECT_FALSE(log.has_error || log.hc4005);
}

TEST(CompilerLogParse, EdgesOfTheRowForm) {
  // Three blanks are not a row; a row on the last line has no message; a
  // short line and a kind without a colon read as notes; LF-only logs work.
  ParsedLog log = ParseCompilerLog("   HC1002: Note: x\n    HC3\n    HC4005: Warning: none\n");
  ASSERT_EQ(log.entries.size(), 2u);
  EXPECT_EQ(log.entries[0].code, "HC3");
  EXPECT_EQ(log.entries[0].kind, DebugKind::kNote);
  EXPECT_EQ(log.entries[0].message, "   HC4005: Warning: none");
  EXPECT_EQ(log.entries[1].message, "");
  EXPECT_TRUE(log.hc4005);

  // The line after a row is still examined on its own.
  ParsedLog chained = ParseCompilerLog("    HC1002: Note: a\n    HC3025: Warning: b\n c\n");
  ASSERT_EQ(chained.entries.size(), 2u);
  EXPECT_EQ(chained.entries[0].message, "   HC3025: Warning: b");
}

TEST(CompilerLogVerdict, ErrorsAndHc4005FailAndNameTheLastCode) {
  ParsedLog log = ParseCompilerLog(kError + "    HC3003: Error: second\r\n x\r\n" + kNote);
  LogVerdict v = DecideLogVerdict(log, {}, true);
  EXPECT_TRUE(v.failed);
  EXPECT_EQ(
      v.message,
      Sjis("Error 「HC3003」 が発生しています。\r\n\r\nヘルプファイルの作成に失敗しました。"));
  v = DecideLogVerdict(ParseCompilerLog("    HC4005: Warning: no topics\r\n x\r\n"), {}, false);
  EXPECT_TRUE(v.failed);
  EXPECT_EQ(v.message.rfind(Sjis("Warning 「HC4005」"), 0), 0u);

  v = DecideLogVerdict(ParseCompilerLog("Microsoft Help Compiler\r\n"), {}, true);
  EXPECT_EQ(v.view, ViewChange::kHide);
  EXPECT_TRUE(v.open_help_file);
  DebugOptions manual;
  manual.debug_auto = false;
  EXPECT_EQ(DecideLogVerdict(ParseCompilerLog(""), manual, false).view, ViewChange::kKeep);
}

TEST(CompilerLogVerdict, NotesAndWarningsFollowTheirSettings) {
  constexpr auto kShow = ViewChange::kShow, kHide = ViewChange::kHide;
  struct Case {
    std::string log;
    bool show_note, show_warn, auto_note, auto_warn, show_help;
    const char* message;  // "" for none
    ViewChange view;
    bool open_help_file;
  };
  // clang-format off
  const Case cases[] = {
      {kNote, false, true, true, true, true, "Note があります。", kShow, false},
      {kWarning, false, true, true, true, true, "", kShow, true},
      {kNote + kWarning, false, true, true, true, true, "Note と Warning があります。", kShow, false},
      {kNote, false, true, true, true, false, "", kShow, false},  // without showHelp nothing is said
      {kWarning, true, false, true, false, true, "Warning があります。", kHide, false},
      {kNote + kWarning, true, false, false, false, true, "Note と Warning があります。", kHide, false},
  };
  // clang-format on
  for (const Case& c : cases) {
    DebugOptions o;
    o.show_note = c.show_note;
    o.show_warn = c.show_warn;
    o.auto_note = c.auto_note;
    o.auto_warn = c.auto_warn;
    const LogVerdict v = DecideLogVerdict(ParseCompilerLog(c.log), o, c.show_help);
    EXPECT_EQ(v.message, *c.message ? "\r\n" + Sjis(c.message) : "") << c.log;
    EXPECT_EQ(v.view, c.view) << c.log;
    EXPECT_EQ(v.open_help_file, c.open_help_file) << c.log;
    EXPECT_FALSE(v.failed);
  }
}

}  // namespace
}  // namespace qy
