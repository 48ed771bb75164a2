#include <gtest/gtest.h>

#include <string>

#include "host_fixture.h"

namespace qy::testing {
namespace {

TEST_F(HostTest, UnservedRoutineEndsTheRunWithTheHostsMessage) {
  MacroError e = RunError("SelectContext;");
  EXPECT_EQ(e.message(), Sjis("実行エラーです。お手数ですが作者に連絡をください"));
}

TEST_F(HostTest, PageGettersCountFromZeroAndRefuseOutside) {
  EXPECT_EQ(Int("GetPageIndex"), 0);
  EXPECT_EQ(Int("GetPageCount"), 6);
  EXPECT_EQ(Str("GetPageTitle(0)"), "Page 1");
  EXPECT_EQ(Str("GetPageTitle(GetPageCount)"), "");
  EXPECT_EQ(Str("GetPageContext(-1)"), "");
  EXPECT_EQ(Str("GetPageContext(5)"), "HLP000006");
  EXPECT_EQ(Int("GetPageAttribute(4)"), 11);
  EXPECT_EQ(Int("GetPageAttr(3)"), 3);
  EXPECT_EQ(Int("GetPageAttribute(6)"), -1);
  EXPECT_EQ(Int("GetPageContextID(1)"), 2);
  EXPECT_EQ(Int("GetPageContextID(99)"), -1);
  // Fields that do not apply to the page's kind read as ''.
  model.MutablePage(3).Keyword = "stale";
  model.MutablePage(2).Keyword = "k";
  model.MutablePage(2).Window = "w";
  model.MutablePage(2).Macro = "m";
  EXPECT_EQ(Str("GetPageKeyword(2)"), "");
  EXPECT_EQ(Str("GetPageKeyword(1) + GetPageWindow(1) + GetPageMacro(1)"), "kwm");
  EXPECT_EQ(Str("GetPageTopic(2)"), "topic 3");
  EXPECT_EQ(Str("GetPageTopic(3)"), "");
  EXPECT_EQ(Str("GetPageTopic(4)"), "");
  // A huge index is outside too, not wrapped round to a page.
  EXPECT_EQ(Str("GetPageTitle($100000000)"), "");
}

TEST_F(HostTest, PageSettersWriteTheFieldAndRefuseWrongKindsAndBadNumbers) {
  EXPECT_EQ(Int("SetPageTitle(1, 'New')"), 1);
  EXPECT_EQ(model.Page(2).Title, "New");
  EXPECT_TRUE(model.Modified());
  EXPECT_EQ(Int("SetPageTitle(6, 'x')"), 0);
  EXPECT_EQ(Int("SetPageTitle(-1, 'x')"), 0);

  EXPECT_EQ(Int("SetPageKeyword(0, 'a;b')"), 1);
  EXPECT_EQ(model.Page(1).Keyword, "a;b");
  EXPECT_EQ(Int("SetPageAKeyword(1, 'A') + SetPageBKeyword(1, 'B')"), 2);
  EXPECT_EQ(model.Page(2).AKeyword, "A");
  EXPECT_EQ(model.Page(2).BKeyword, "B");
  EXPECT_EQ(Int("SetPageWindow(0, 'main') + SetPageMacro(0, 'CB()')"), 2);
  EXPECT_EQ(model.Page(1).Window, "main");
  EXPECT_EQ(model.Page(1).Macro, "CB()");

  // Content, Include and book pages have no keywords, window or macro.
  const PageRecord content = model.Page(3);
  for (const char* call :
       {"SetPageKeyword(2, 'k')", "SetPageAKeyword(2, 'k')", "SetPageBKeyword(2, 'k')",
        "SetPageWindow(3, 'w')", "SetPageMacro(4, 'm')"}) {
    EXPECT_EQ(Int(call), 0) << call;
  }
  EXPECT_EQ(model.Page(3), content);
  EXPECT_EQ(Int("SetPageTopic(3, 'x')"), 0);
  EXPECT_EQ(Int("SetPageTopic(4, 'x')"), 0);
  EXPECT_TRUE(model.Page(4).Topic.empty());
  EXPECT_EQ(Int("SetPageTopic(2, 'content text')"), 1);
  EXPECT_EQ(model.Page(3).Topic, "content text");
}

TEST_F(HostTest, SettersCutTo255BytesWithoutSplittingACharacterAndTellTheWindow) {
  // 127 double-byte characters and one more: the last one does not fit.
  Run("var s: String; i: Integer; begin for i := 1 to 128 do s := s + 'あ'; "
      "SetPageTitle(5, s); SetPageKeyword(5, 'a' + s) end.");
  EXPECT_EQ(model.Page(6).Title.size(), 254u);
  EXPECT_EQ(model.Page(6).Keyword.size(), 255u);
  ASSERT_EQ(window->changed_fields.size(), 2u);
  EXPECT_EQ(window->changed_fields[0], std::make_pair(6, PageField::kTitle));
  EXPECT_EQ(window->changed_fields[1], std::make_pair(6, PageField::kKeyword));
  // A topic is unbounded.
  Run("var s: String; i: Integer; begin for i := 1 to 300 do s := s + 'x'; "
      "SetPageTopic(5, s) end.");
  EXPECT_EQ(model.Page(6).Topic.size(), 300u);
}

TEST_F(HostTest, SetPageTopicOfTheCurrentPageShowsItInTheEditor) {
  EXPECT_EQ(editor().Text(), "topic 1");
  EXPECT_EQ(Int("SetPageTopic(0, 'line 1'#13#10'line 2')"), 1);
  EXPECT_EQ(editor().Text(), "line 1\r\nline 2");
  EXPECT_EQ(model.Page(1).Topic, "line 1\r\nline 2");
  // Another page's topic leaves the editor alone.
  EXPECT_EQ(Int("SetPageTopic(5, 'other')"), 1);
  EXPECT_EQ(editor().Text(), "line 1\r\nline 2");
}

TEST_F(HostTest, SetPageIndexMakesThePageCurrentAndShowsIt) {
  EXPECT_EQ(Int("SetPageIndex(5)"), 1);
  EXPECT_EQ(model.CurrentPage(), 6);
  EXPECT_EQ(editor().Text(), "topic 6");
  EXPECT_GT(editor().focus_requests(), 0);
  EXPECT_EQ(Int("GetPageIndex"), 5);
  EXPECT_EQ(Int("SetPageIndex(6)"), 0);
  EXPECT_EQ(Int("SetPageIndex(-1)"), 0);
  EXPECT_EQ(model.CurrentPage(), 6);
  // A page without topic text shows an empty editor.
  EXPECT_EQ(Int("SetPageIndex(3)"), 1);
  EXPECT_EQ(editor().Text(), "");
}

TEST_F(HostTest, PageAddInsertsAfterTheCurrentPageAsTheNewPageCommand) {
  ShowPage(2);
  EXPECT_EQ(Int("PageAdd"), 2);
  ASSERT_EQ(model.PageCount(), 7);
  EXPECT_EQ(model.CurrentPage(), 3);
  EXPECT_EQ(model.Page(3).Context, "HLP000007");
  EXPECT_EQ(model.Page(3).ContextID, 7);
  EXPECT_EQ(model.Page(3).Attribute, kTopicPage);
  EXPECT_TRUE(model.Modified());
  EXPECT_EQ(Int("AddPage"), 3);
  EXPECT_EQ(model.PageCount(), 8);

  // A page out in the external editor: nothing is added, the current page
  // is the result.
  commands.page_out_in_editor = [] { return true; };
  EXPECT_EQ(Int("PageAdd"), 3);
  EXPECT_EQ(model.PageCount(), 8);
}

TEST_F(HostTest, PageAddOnAFullTableGivesMinusOneAndAddsNothing) {
  MakeTopicPages(model, kMaxPages);
  EXPECT_EQ(Int("PageAdd"), -1);
  EXPECT_EQ(model.PageCount(), kMaxPages);
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(HostTest, SelectPageAnswersTheWindowsPickerFromZero) {
  window->select_page_answer = 4;
  EXPECT_EQ(Int("SelectPage"), 3);
  window->select_page_answer = 0;
  EXPECT_EQ(Int("SelectPage"), -1);
}

TEST_F(HostTest, ProjectHeaderAndSettingsReads) {
  ProjectHeader& h = model.Header();
  h.HelpTitle = Sjis("家計簿 ヘルプ");
  h.HelpCopyright = "(C) 2026";
  h.WindowsSection = "main=\"\"";
  h.ConfigSection = "BrowseButtons()";
  h.Word = Sjis("家計簿\r\n残高");
  h.BitmapSection = "Proj";
  ASSERT_TRUE(settings.file().WriteString("Proj", "BitmapName1", "logo.bmp"));
  ASSERT_TRUE(settings.file().WriteString("Proj", "BitmapName9", "last.bmp"));
  ASSERT_TRUE(settings.file().WriteString("Etcetera", "BitmapName2", "other.bmp"));

  EXPECT_EQ(Str("GetHelpTitle"), Sjis("家計簿 ヘルプ"));
  EXPECT_EQ(Str("GetHelpCopyright"), "(C) 2026");
  EXPECT_EQ(Str("GetWindowsSection"), "main=\"\"");
  EXPECT_EQ(Str("GetWindowsSession"), "main=\"\"");
  EXPECT_EQ(Str("GetConfigSession + GetConfigSection"), "BrowseButtons()BrowseButtons()");
  EXPECT_EQ(Str("GetWord(1)"), Sjis("残高"));
  EXPECT_EQ(Str("GetWord(2)"), "");
  EXPECT_EQ(Str("GetPictureName(0)"), "logo.bmp");
  EXPECT_EQ(Str("GetPictureName(8)"), "last.bmp");
  EXPECT_EQ(Str("GetPictureName(1)"), "");  // another section's entry
  EXPECT_EQ(Str("GetPictureName(9)"), "");

  EXPECT_EQ(Int("IsModified"), 0);
  model.SetModified(true);
  EXPECT_EQ(Int("IsModified"), -1);
}

}  // namespace
}  // namespace qy::testing
