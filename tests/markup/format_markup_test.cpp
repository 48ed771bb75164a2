#include "markup/format_markup.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/memory_editor.h"
#include "markup/format_commands.h"
#include "markup/format_indent_dialog.h"
#include "markup/format_other_shortcuts.h"

namespace qy {
namespace {

TEST(MergeControlWords, AddsOnlyMissingWholeWordsToTheLeadingGroup) {
  const std::tuple<std::vector<std::string>, const char*, std::optional<std::string>> cases[] = {
      {{"\\b"}, "text", "{\\b text}"},
      {{"\\b"}, "{\\i text}", "{\\i\\b text}"},
      {{"\\cf6"}, "", "{\\cf6 }"},  // the font dialog may run with nothing selected
      {{"\\b"}, "{\\b word}", std::nullopt},
      {{}, "word", std::nullopt},
      {{"\\b", "\\i"}, "{\\b word}", "{\\b\\i word}"},
      {{"\\b"}, "{\\i a \\b c}", "{\\i\\b a \\b c}"},  // only the head before the first blank
      {{"\\b"}, "{\\box x}", "{\\box\\b x}"},
      {{"\\f3"}, "{\\f30 x}", "{\\f30\\f3 x}"},
      {{"\\i"}, "{\\b}", "{\\i {\\b}}"},  // a group without a blank is wrapped
      {{"\\b"}, "{x y}", "{\\b {x y}}"},  // a brace that opens no control word is text
  };
  for (const auto& [words, text, merged] : cases) {
    EXPECT_EQ(MergeControlWords(words, text), merged) << text;
  }
}

TEST(FormattingText, ParagraphFormatsAddAParagraphEndOnceAndLinesDropTheSelection) {
  EXPECT_EQ(AlignmentText(Alignment::kCenter, "abc"), "\\qc abc\\par\\pard");
  EXPECT_EQ(AlignmentText(Alignment::kCenter, "abc\\par\\pard"), "\\qc abc\\par\\pard");
  EXPECT_EQ(AlignmentText(Alignment::kLeft, ""), "\\ql ");
  EXPECT_EQ(AlignmentText(Alignment::kRight, "x\\par"), "\\qr x\\par\\par\\pard");
  EXPECT_EQ(BorderText(BorderPosition::kBottom, BorderKind::kDouble, "ignored"),
            "\\pard\\brdrb\\brdrdb\\par\\pard");
  EXPECT_EQ(BorderText(BorderPosition::kBox, BorderKind::kSingle, "a\r\nb"),
            "\\pard\\box\\brdrs a\\line\r\nb\\line\\par\\pard");
  EXPECT_EQ(BorderText(BorderPosition::kBox, BorderKind::kShadow, "a\\par\r\nb\\line"),
            "\\pard\\box\\brdrsh a\\par\r\nb\\line\\par\\pard");
}

TEST(FormattingCommands, CharacterFormatsNeedATextPageAndASelection) {
  MemoryEditor editor("one two");
  editor.SetSelStart(4);
  EXPECT_FALSE(Bold(editor, kTopicPage));                     // nothing selected
  EXPECT_TRUE(Align(editor, kTopicPage, Alignment::kRight));  // at the caret
  EXPECT_EQ(editor.Text(), "one \\qr two");
  editor.SetSelStart(8);
  editor.SetSelLength(3);
  EXPECT_FALSE(Bold(editor, kContentPage));
  EXPECT_FALSE(Align(editor, BookAttribute(1), Alignment::kLeft));
  EXPECT_TRUE(Italic(editor, kPopupPage));
  EXPECT_EQ(editor.Text(), "one \\qr {\\i two}");
}

TEST(OtherShortcuts, NonScrollingRegionMovesTheSelectionToTheTop) {
  MemoryEditor editor("body\r\nTitle line\r\nmore");
  editor.SetSelStart(6);
  editor.SetSelLength(10);
  OtherShortcutsChoice choice;
  choice.tab = OtherShortcutsTab::kOther;
  InsertOtherShortcut(editor, choice);
  EXPECT_EQ(editor.Text(), "\\keepn\r\nTitle line\\par\\pard\r\nbody\r\n\r\nmore");
}

TEST(OtherShortcuts, NoWrapReplacesTheSelection) {
  MemoryEditor editor("x long y");
  editor.SetSelStart(2);
  editor.SetSelLength(4);
  OtherShortcutsChoice choice;
  choice.tab = OtherShortcutsTab::kOther;
  choice.other = OtherShortcut::kNoWrap;
  InsertOtherShortcut(editor, choice);
  EXPECT_EQ(editor.Text(), "x \\keep long\\par\\pard y");
}

TEST(IndentDialog, SliderLimitsAndInsertion) {
  IndentDialogModel indent(IndentDialogMode::kIndent);
  indent.SetValue(9000);
  EXPECT_EQ(indent.value(), 5000);
  indent.SetValue(350);
  MemoryEditor editor("abc");
  editor.SetSelLength(3);
  indent.InsertRightIndent(editor);
  EXPECT_EQ(editor.Text(), "\\ri350 abc\\par\\pard");

  IndentDialogModel spacing(IndentDialogMode::kLineSpacing);
  spacing.SetValue(100);
  EXPECT_EQ(spacing.InsertText("x"), "\\sl200 x\\par\\pard");
}

}  // namespace
}  // namespace qy
