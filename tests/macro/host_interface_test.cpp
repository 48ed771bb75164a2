#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "host_fixture.h"

namespace qy::testing {
namespace {

TEST_F(HostTest, UnservedRoutineEndsTheRunWithTheHostsMessage) {
  MacroError e = RunError("SelectContext;");
  EXPECT_EQ(e.message(), Sjis("実行エラーです。お手数ですが作者に連絡をください"));
}

// Pages count from zero; an index outside, even a huge one that would wrap
// round to a page, gives '' or -1; fields that do not apply to the page's
// kind read as ''.
TEST_F(HostTest, PageGettersCountFromZeroAndRefuseOutside) {
  model.MutablePage(3).Keyword = "stale";
  model.MutablePage(2).Keyword = "k";
  model.MutablePage(2).Window = "w";
  model.MutablePage(2).Macro = "m";
  // clang-format off
  const std::pair<const char*, std::int64_t> integers[] = {
      {"GetPageIndex", 0},          {"GetPageCount", 6},           {"GetPageAttribute(4)", 11},
      {"GetPageAttr(3)", 3},        {"GetPageAttribute(6)", -1},   {"GetPageContextID(1)", 2},
      {"GetPageContextID(99)", -1}};
  const std::pair<const char*, const char*> strings[] = {
      {"GetPageTitle(0)", "Page 1"}, {"GetPageTitle(GetPageCount)", ""}, {"GetPageContext(-1)", ""},
      {"GetPageContext(5)", "HLP000006"},  {"GetPageKeyword(2)", ""},   {"GetPageTopic(2)", "topic 3"},
      {"GetPageTopic(3)", ""},       {"GetPageTitle($100000000)", ""},
      {"GetPageKeyword(1) + GetPageWindow(1) + GetPageMacro(1)", "kwm"}};
  // clang-format on
  for (const auto& [expr, value] : integers) EXPECT_EQ(Int(expr), value) << expr;
  for (const auto& [expr, value] : strings) EXPECT_EQ(Str(expr), value) << expr;
}

TEST_F(HostTest, PageSettersWriteTheFieldAndRefuseWrongKindsAndBadNumbers) {
  EXPECT_EQ(Int("SetPageTitle(1, 'New') + SetPageKeyword(0, 'a;b') + SetPageAKeyword(1, 'A') + "
                "SetPageBKeyword(1, 'B') + SetPageWindow(0, 'main') + SetPageMacro(0, 'CB()') + "
                "SetPageTopic(2, 'content text')"),
            7);
  EXPECT_TRUE(model.Modified());
  const PageRecord& p1 = model.Page(1);
  const PageRecord& p2 = model.Page(2);
  EXPECT_EQ(p1.Keyword + "|" + p1.Window + "|" + p1.Macro, "a;b|main|CB()");
  EXPECT_EQ(p2.Title + "|" + p2.AKeyword + "|" + p2.BKeyword, "New|A|B");
  EXPECT_EQ(model.Page(3).Topic, "content text");
  // Content, Include and book pages have no keywords, window or macro;
  // Include and book pages no topic.
  const PageRecord content = model.Page(3);
  for (const char* call :
       {"SetPageTitle(6, 'x')", "SetPageTitle(-1, 'x')", "SetPageKeyword(2, 'k')",
        "SetPageAKeyword(2, 'k')", "SetPageBKeyword(2, 'k')", "SetPageWindow(3, 'w')",
        "SetPageMacro(4, 'm')", "SetPageTopic(3, 'x')", "SetPageTopic(4, 'x')"}) {
    EXPECT_EQ(Int(call), 0) << call;
  }
  EXPECT_EQ(model.Page(3), content);
  EXPECT_TRUE(model.Page(4).Topic.empty());
}

TEST_F(HostTest, SettersCutTo255BytesWithoutSplittingACharacterAndTellTheWindow) {
  // 127 double-byte characters and one more: the last one does not fit.
  Run("var s: String; i: Integer; begin for i := 1 to 128 do s := s + 'あ'; "
      "SetPageTitle(5, s); SetPageKeyword(5, 'a' + s) end.");
  EXPECT_EQ(model.Page(6).Title.size(), 254u);
  EXPECT_EQ(model.Page(6).Keyword.size(), 255u);
  EXPECT_EQ(window->changed_fields, (std::vector<std::pair<int, PageField>>{
                                        {6, PageField::kTitle}, {6, PageField::kKeyword}}));
  // A topic is unbounded.
  Run("var s: String; i: Integer; begin for i := 1 to 300 do s := s + 'x'; "
      "SetPageTopic(5, s) end.");
  EXPECT_EQ(model.Page(6).Topic.size(), 300u);
}

TEST_F(HostTest, SetPageTopicAndSetPageIndexShowThePageInTheEditor) {
  EXPECT_EQ(editor().Text(), "topic 1");
  EXPECT_EQ(Int("SetPageTopic(0, 'line 1'#13#10'line 2') + SetPageTopic(5, 'other')"), 2);
  EXPECT_EQ(editor().Text(), "line 1\r\nline 2");  // another page's topic leaves it alone
  EXPECT_EQ(Int("SetPageIndex(5)"), 1);
  EXPECT_EQ(model.CurrentPage(), 6);
  EXPECT_EQ(editor().Text(), "other");
  EXPECT_EQ(Int("SetPageIndex(6) + SetPageIndex(-1)"), 0);
  EXPECT_EQ(model.CurrentPage(), 6);
}

TEST_F(HostTest, PageAddInsertsAfterTheCurrentPageAsTheNewPageCommand) {
  ShowPage(2);
  EXPECT_EQ(Int("PageAdd"), 2);
  EXPECT_EQ(model.CurrentPage(), 3);
  EXPECT_EQ(model.Page(3).Context, "HLP000007");
  EXPECT_EQ(Int("AddPage"), 3);
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

TEST_F(HostTest, ProjectHeaderAndSettingsReads) {
  ProjectHeader& h = model.Header();
  h.HelpTitle = Sjis("家計簿 ヘルプ");
  h.WindowsSection = "main=\"\"";
  h.ConfigSection = "BrowseButtons()";
  h.Word = Sjis("家計簿\r\n残高");
  h.BitmapSection = "Proj";
  ASSERT_TRUE(settings.file().WriteString("Proj", "BitmapName1", "logo.bmp"));
  ASSERT_TRUE(settings.file().WriteString("Proj", "BitmapName9", "last.bmp"));
  ASSERT_TRUE(settings.file().WriteString("Etcetera", "BitmapName2", "other.bmp"));
  // clang-format off
  const std::pair<const char*, std::string> cases[] = {
      {"GetHelpTitle", Sjis("家計簿 ヘルプ")}, {"GetWindowsSession", "main=\"\""},
      {"GetConfigSession + GetConfigSection", "BrowseButtons()BrowseButtons()"},
      {"GetWord(1)", Sjis("残高")},  {"GetWord(2)", ""},     {"GetPictureName(0)", "logo.bmp"},
      {"GetPictureName(8)", "last.bmp"}, {"GetPictureName(1)", ""},  // another section's entry
      {"GetPictureName(9)", ""}};
  // clang-format on
  for (const auto& [expr, value] : cases) EXPECT_EQ(Str(expr), value) << expr;
  model.SetModified(true);
  EXPECT_EQ(Int("IsModified"), -1);
}

// A window whose page switch is refused, as while the page is out in the
// external editor.
class RefusingWindow : public HeadlessMacroWindow {
 public:
  using HeadlessMacroWindow::HeadlessMacroWindow;
  void ShowPage(int) override {}
};

// Whatever a macro writes or builds, the run ends cleanly and the host's
// answers stay true.
TEST_F(HostTest, HugeValuesAndFailuresEndTheRunCleanly) {
  model.MutablePage(1).Topic = "ab\r\ncdef";
  ShowPage(1);
  struct Write {
    const char* statement;
    int sel_start;
    int sel_length;
  };
  const Write writes[] = {
      {"SelStart := 5; Col := 9223372036854775807", 8, 0},
      {"SelStart := 5; Col := -9223372036854775807", 4, 0},
      {"Row := 9223372036854775807", 4, 0},
      {"SelStart := -9223372036854775807", 0, 0},
      {"SelStart := 9223372036854775807", 8, 0},
      {"SelStart := 1; SelLength := 9223372036854775807", 1, 7},
  };
  for (const Write& w : writes) {
    Run(std::string("begin ") + w.statement + " end.");
    EXPECT_EQ(editor().SelStart(), w.sel_start) << w.statement;
    EXPECT_EQ(editor().SelLength(), w.sel_length) << w.statement;
  }

  // A string that doubles forty times meets the component's own limit.
  EXPECT_EQ(RunError("var s: String; i: Integer; begin s := 'x'; for i := 1 to 40 do s := s + s "
                     "end.")
                .kind(),
            MacroErrorKind::kStringLimit);
  // Any exception from the host ends the run with an error; the next run works.
  pascal.IntFuncParam = [](const std::string&, std::int32_t, const MacroArguments&, std::int32_t&,
                           std::int64_t&) { throw std::runtime_error("boom"); };
  EXPECT_EQ(RunError("begin IsModified end.").kind(), MacroErrorKind::kUnexpected);
  EXPECT_EQ(Int("1 + 1"), 2);

  RefusingWindow refusing(model, commands);
  MacroHostInterface refusing_host(model, refusing, clipboard, settings);
  TPoorPascal refused;
  refusing_host.Attach(refused);
  refused.SetSource("var r: Integer; begin r := SetPageIndex(5) end.");
  refused.Execute();
  EXPECT_EQ(refused.interpreter().FindVariable("r")->IntValue, 0);
  EXPECT_EQ(model.CurrentPage(), 1);
}

}  // namespace
}  // namespace qy::testing
