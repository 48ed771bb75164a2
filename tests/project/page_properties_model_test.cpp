#include "project/page_properties_model.h"

#include <gtest/gtest.h>

#include "core/files.h"
#include "support/page_ops_fixture.h"

namespace qy {
namespace {

using testing::MakePages;
using testing::MakeTopicPages;

class PagePropertiesTest : public testing::PageOpsTest {
 protected:
  // Accepts with the page commands' own kind-change question.
  std::optional<PagePropertiesOutcome> Ok(PagePropertiesModel& dialog) {
    return dialog.Accept(prompter, commands.KindChangeConfirmation());
  }
};

// The level rule itself is page_tree_test's: the page's own level does not
// count, and OK is disabled while the level is too deep.
TEST_F(PagePropertiesTest, BookLevelIsCheckedAgainstTheBooksBeforeThePage) {
  MakePages(model, "T B1 T B3");
  model.SetCurrentPage(4);
  PagePropertiesModel dialog(model, settings);
  EXPECT_EQ(dialog.level(), 3);
  EXPECT_FALSE(Ok(dialog));
  dialog.SetLevel(2);
  EXPECT_TRUE(dialog.OkEnabled());
  dialog.SetLevel(3);
  dialog.ChooseKind(kTopicPage);
  EXPECT_TRUE(dialog.OkEnabled()) << "the level matters only for a book";
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(PagePropertiesTest, TitleEqualsKeywordBox) {
  MakeTopicPages(model, 1);
  model.MutablePage(1).Keyword = "old";
  PagePropertiesModel dialog(model, settings);
  dialog.SetTitle("Alpha");
  EXPECT_EQ(dialog.input().keyword, "old") << "unticked: the keyword stays";
  dialog.SetTitleIsKeyword(true);
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

TEST_F(PagePropertiesTest, AnIncludePageMadeATopicKeepsItsFileNameAsTitle) {
  MakePages(model, "T I");
  model.SetCurrentPage(2);
  model.MutablePage(2).Title = "new.cnt";
  // Storing an Include page's file name is page_acceptance_test's.
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
  dialog.SetTipHints(false);
  dialog.SetProportionalFont(false);
  dialog.SetWidth(480);
  dialog.SaveViewOptions();
  EXPECT_EQ(settings.file().ReadString("PageProp", "CipHint"), "0");
  EXPECT_EQ(settings.file().ReadString("PageProp", "Font"), "0");
  PagePropertiesModel reopened(model, settings);
  EXPECT_FALSE(reopened.tip_hints() || reopened.proportional_font());
  EXPECT_EQ(reopened.width(), 480);
}

}  // namespace
}  // namespace qy
