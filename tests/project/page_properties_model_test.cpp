#include "project/page_properties_model.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/codec.h"
#include "core/files.h"
#include "core/settings_keys.h"
#include "support/page_ops_fixture.h"

namespace qy {
namespace {

using testing::MakePages;
using testing::MakeTopicPages;
using R = PageRow;

class PagePropertiesTest : public testing::PageOpsTest {
 protected:
  // Accepts with the page commands' own kind-change question.
  std::optional<PagePropertiesOutcome> Ok(PagePropertiesModel& dialog) {
    return dialog.Accept(prompter, commands.KindChangeConfirmation());
  }
};

TEST_F(PagePropertiesTest, RowsFollowTheKindChosen) {
  MakeTopicPages(model, 2);
  model.SetCurrentPage(2);
  PagePropertiesModel dialog(model, settings);
  EXPECT_EQ(dialog.VisibleRows().size(), 9u);
  dialog.ChooseKind(kIncludePage);
  EXPECT_EQ(dialog.VisibleRows(), (std::vector<R>{R::kContext, R::kContextId, R::kInclude}));
  dialog.ChooseKind(BookAttribute(1));
  EXPECT_EQ(dialog.VisibleRows().back(), R::kLevel);
  EXPECT_EQ(dialog.input().attribute, BookAttribute(1));
  EXPECT_EQ(model.Page(2).Attribute, kTopicPage) << "nothing is stored before OK";
}

// The level rule itself is page_tree_test's: the page's own level does not
// count, and OK is disabled while the level is too deep.
TEST_F(PagePropertiesTest, BookLevelIsCheckedAgainstTheBooksBeforeThePage) {
  MakePages(model, "T B1 T B3");
  model.SetCurrentPage(4);
  PagePropertiesModel dialog(model, settings);
  EXPECT_EQ(dialog.level(), 3);
  EXPECT_FALSE(dialog.OkEnabled());
  EXPECT_EQ(dialog.KindLabel(), Sjis("ブック属性 [レベル 不可]"));
  EXPECT_FALSE(Ok(dialog));
  dialog.SetLevel(2);
  EXPECT_TRUE(dialog.OkEnabled());
  EXPECT_EQ(dialog.KindLabel(), Sjis("ブック属性 [レベル 2]"));
  dialog.SetLevel(3);
  dialog.ChooseKind(kTopicPage);
  EXPECT_TRUE(dialog.OkEnabled()) << "the level matters only for a book";
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(PagePropertiesTest, TitleEqualsKeywordBox) {
  MakeTopicPages(model, 1);
  model.MutablePage(1).Keyword = "old";
  PagePropertiesModel dialog(model, settings);
  EXPECT_FALSE(dialog.title_is_keyword());
  dialog.SetTitle("Alpha");
  EXPECT_EQ(dialog.input().keyword, "old") << "unticked: the keyword stays";
  dialog.SetTitleIsKeyword(true);
  EXPECT_EQ(dialog.input().keyword, "Alpha") << "ticking copies at once";
  dialog.SetTitle("Beta");
  EXPECT_EQ(dialog.input().keyword, "Beta");
  dialog.SetKeyword("Beta");
  EXPECT_TRUE(dialog.title_is_keyword()) << "a keyword equal to the title keeps the tick";
  dialog.SetKeyword("Beta;Gamma");
  EXPECT_FALSE(dialog.title_is_keyword());
  dialog.SetTitle("Delta");
  EXPECT_EQ(dialog.input().keyword, "Beta;Gamma");
}

TEST_F(PagePropertiesTest, IdBoxHoldsOnlyDigits) {
  MakeTopicPages(model, 1);
  PagePropertiesModel dialog(model, settings);
  for (const char* bad : {"1a", "-5", "1234567890"}) EXPECT_FALSE(dialog.SetIdText(bad)) << bad;
  EXPECT_EQ(dialog.input().id_text, "1");
  EXPECT_TRUE(dialog.SetIdText(""));
  EXPECT_FALSE(PagePropertiesModel::IdKeyAllowed('x'));
  EXPECT_TRUE(PagePropertiesModel::IdKeyAllowed('\b'));
}

TEST_F(PagePropertiesTest, WindowListHasEachTopicWindowOnceInPageOrder) {
  MakePages(model, "T P C T T");
  model.MutablePage(1).Window = "second";
  model.MutablePage(2).Window = "main";
  model.MutablePage(3).Window = "content";  // not a help topic: not offered
  model.MutablePage(4).Window = "second";
  model.MutablePage(5).Window = "Main";  // another spelling is another name
  PagePropertiesModel dialog(model, settings);
  EXPECT_EQ(dialog.WindowList(), (std::vector<std::string>{"second", "main", "Main"}));
}

TEST_F(PagePropertiesTest, IncludeListOffersContentsFilesOfTheProjectFolder) {
  for (const char* name : {"old.toc", "help.cnt", "B.CNT", "notes.txt", "a.toc"}) {
    ASSERT_TRUE(WriteFileAtomic(dir.File(name), "x"));
  }
  std::filesystem::create_directory(dir.File("folder.cnt"));
  MakeTopicPages(model, 1);
  PagePropertiesModel dialog(model, settings, kIncludePage);
  EXPECT_EQ(dialog.IncludeList(),
            (std::vector<std::string>{"B.CNT", "help.cnt", "a.toc", "old.toc"}));
  EXPECT_TRUE(IncludeFileNames(dir.File("missing/")).empty());
}

TEST_F(PagePropertiesTest, FreeContextAndIdOnlyReplaceValuesInUse) {
  MakeTopicPages(model, 3);
  model.SetCurrentPage(2);
  PagePropertiesModel dialog(model, settings);
  EXPECT_FALSE(dialog.FindFreeContext()) << "the page's own context is no conflict";
  EXPECT_FALSE(dialog.FindFreeContextId());
  dialog.SetContext("hlp000001");
  ASSERT_TRUE(dialog.SetIdText("3"));
  EXPECT_TRUE(dialog.FindFreeContext());
  EXPECT_EQ(dialog.input().context, "HLP000004");
  EXPECT_TRUE(dialog.FindFreeContextId());
  EXPECT_EQ(dialog.input().id_text, "4") << "all of 1..count are taken: the next one";
  ASSERT_TRUE(Ok(dialog));
  EXPECT_EQ(model.Page(2).Context, "HLP000004");
  EXPECT_EQ(model.Page(2).ContextID, 4);

  model.MutablePage(3).ContextID = 7;
  model.SetCurrentPage(1);
  PagePropertiesModel gap(model, settings);
  ASSERT_TRUE(gap.SetIdText("4"));
  EXPECT_TRUE(gap.FindFreeContextId());
  EXPECT_EQ(gap.input().id_text, "2");
}

// The checks of the boxes are page_acceptance_test's.
TEST_F(PagePropertiesTest, OkAsksAboutTheKindAndStores) {
  MakeTopicPages(model, 2);
  model.SetCurrentPage(2);
  model.MutablePage(2).Topic = "text";
  ASSERT_TRUE(WriteFileAtomic(dir.File("help.hls"), ""));
  PagePropertiesModel dialog(model, settings);
  EXPECT_EQ(dialog.original_context(), "HLP000002");
  dialog.SetContext("NEWNAME");
  dialog.ChooseKind(kContentPage);
  prompter.answers.push_back(Answer::kNo);
  EXPECT_FALSE(Ok(dialog)) << "the kind change was refused";
  EXPECT_EQ(model.Page(2).Attribute, kTopicPage);
  EXPECT_EQ(model.Page(2).Context, "HLP000002");

  const std::optional<PagePropertiesOutcome> outcome = Ok(dialog);
  ASSERT_TRUE(outcome);
  EXPECT_EQ(outcome->history_context, "NEWNAME");
  EXPECT_EQ(model.Page(2).Attribute, kContentPage);
  EXPECT_EQ(model.Page(2).Topic, "");
  const std::optional<std::string> list = ReadWholeFile(dir.File("help.hls"));
  ASSERT_TRUE(list);
  EXPECT_NE(list->find("CItem002=NEWNAME"), std::string::npos) << "the context list follows";
}

TEST_F(PagePropertiesTest, IncludePageEditsItsFileNameNotItsTitle) {
  MakePages(model, "T I");
  model.SetCurrentPage(2);
  model.MutablePage(2).Title = "old.cnt";
  PagePropertiesModel dialog(model, settings);
  EXPECT_EQ(dialog.input().include_file, "old.cnt");
  dialog.SetIncludeFile("new.cnt");
  dialog.SetTitle("ignored for an Include page");
  ASSERT_TRUE(Ok(dialog));
  EXPECT_EQ(model.Page(2).Title, "new.cnt");

  PagePropertiesModel back(model, settings);
  back.ChooseKind(kTopicPage);
  EXPECT_EQ(back.input().title, "new.cnt") << "the file name is the title to start from";
  back.SetIncludeFile("");
  ASSERT_TRUE(Ok(back));
  EXPECT_EQ(model.Page(2).Title, "new.cnt");
  EXPECT_EQ(model.Page(2).Attribute, kTopicPage);
}

TEST_F(PagePropertiesTest, ViewOptionsAreReadAndWrittenInSectionPageProp) {
  MakeTopicPages(model, 1);
  PagePropertiesModel dialog(model, settings);
  EXPECT_NE(dialog.RowHint(R::kTitle), "");
  dialog.SetTipHints(false);
  dialog.SetProportionalFont(false);
  dialog.SetWidth(480);
  EXPECT_EQ(dialog.RowHint(R::kTitle), "");
  EXPECT_EQ(dialog.BoxFontName(), Sjis("ＭＳ ゴシック"));
  dialog.SaveViewOptions();
  EXPECT_EQ(settings.file().ReadString("PageProp", "CipHint"), "0");
  EXPECT_EQ(settings.file().ReadString("PageProp", "Font"), "0");
  PagePropertiesModel reopened(model, settings);
  EXPECT_FALSE(reopened.tip_hints() || reopened.proportional_font());
  EXPECT_EQ(reopened.width(), 480);
}

}  // namespace
}  // namespace qy
