#include "markup/find_again.h"

#include <gtest/gtest.h>

#include "core/codec.h"
#include "core/memory_editor.h"
#include "core/settings_keys.h"
#include "markup/find_dialog.h"
#include "support/fakes.h"
#include "support/page_ops_fixture.h"

namespace qy {
namespace {

using testing::FakePrompter;

class FindAgainTest : public ::testing::Test {
 protected:
  FindAgainTest() : settings(dir.File("q.ini")), navigator(project, editor) {}

  void Pages(const std::string& layout, const std::vector<std::string>& topics, int current = 1) {
    testing::MakePages(project, layout);
    for (std::size_t i = 0; i < topics.size(); ++i) {
      project.MutablePage(static_cast<int>(i) + 1).Topic = topics[i];
    }
    navigator.SelectPage(current);
  }
  bool Next() { return FindAgain(FindDirection::kNext, session, target); }
  bool Previous() { return FindAgain(FindDirection::kPrevious, session, target); }
  std::string Question(const char* tail) {
    return Sjis("「") + session.last_find_text + Sjis("」 は見つかりませんでした。\r\n\r\n") +
           Sjis(tail);
  }

  testing::TempDir dir;
  Settings settings;
  ProjectModel project;
  MemoryEditor editor;
  EditorPageNavigator navigator;
  FakePrompter prompter;
  FindSession session;
  FindTarget target{project, editor, navigator, prompter};
};

TEST_F(FindAgainTest, FindsBehindTheSelectionOnThePage) {
  Pages("T", {"abc ABC abc"});
  session.last_find_text = "abc";
  ASSERT_TRUE(Next());
  EXPECT_EQ(editor.SelStart(), 0);
  EXPECT_EQ(editor.SelLength(), 3);
  ASSERT_TRUE(Next());  // case-blind by default
  EXPECT_EQ(editor.SelStart(), 4);
  session.SetCaseSensitive(true);
  ASSERT_TRUE(Next());
  EXPECT_EQ(editor.SelStart(), 8);
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(FindAgainTest, TrailByteEqualToTheSearchedLetterIsNoHit) {
  Pages("T", {Sjis("アイ") + "xA"});  // ア ends in 0x41
  session.last_find_text = "A";
  prompter.answers = {Answer::kNo};
  ASSERT_TRUE(Next());
  EXPECT_EQ(editor.SelStart(), 5);
  EXPECT_FALSE(Next());
  EXPECT_EQ(editor.SelStart(), 5);
  EXPECT_EQ(editor.SelLength(), 1);
}

TEST_F(FindAgainTest, AsksBeforeEveryNextPage) {
  Pages("T T T", {"x", "y", "z"});
  session.last_find_text = "k";
  editor.SetSelStart(1);
  prompter.answers = {Answer::kYes, Answer::kNo};
  EXPECT_FALSE(Next());
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[0].text, Question("次のページを検索しますか？"));
  EXPECT_EQ(prompter.shown[0].buttons, Buttons::kYesNo);
  EXPECT_EQ(project.CurrentPage(), 2);  // the page passed with "Yes"
}

TEST_F(FindAgainTest, NoOnTheLastPageLeavesTheSelection) {
  Pages("T T", {"k", "abcdef"}, 2);
  session.last_find_text = "k";
  editor.SetSelStart(2);
  editor.SetSelLength(2);
  prompter.answers = {Answer::kNo};
  EXPECT_FALSE(Next());
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, Question("先頭のページから検索しますか？"));
  EXPECT_EQ(project.CurrentPage(), 2);
  EXPECT_EQ(editor.SelStart(), 2);
  EXPECT_EQ(editor.SelLength(), 2);
}

TEST_F(FindAgainTest, YesOnTheLastPageStartsOverAtPageOne) {
  Pages("T T", {"xk", "abc"}, 2);
  session.last_find_text = "K";
  prompter.answers = {Answer::kYes};
  ASSERT_TRUE(Next());
  EXPECT_EQ(project.CurrentPage(), 1);
  EXPECT_EQ(editor.SelStart(), 1);
  EXPECT_EQ(editor.SelText(), "k");
}

TEST_F(FindAgainTest, AutoNextSkipsTheQuestionsAndBooks) {
  Pages("T B1 I C", {"a", "k", "", "..k"});
  session.last_find_text = "k";
  session.auto_next = true;
  ASSERT_TRUE(Next());
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_EQ(project.CurrentPage(), 4);
  EXPECT_EQ(editor.SelStart(), 2);
}

TEST_F(FindAgainTest, BookOnTheLastPageAsksToStartOver) {
  Pages("T B1", {"k"}, 2);
  session.last_find_text = "k";
  prompter.answers = {Answer::kYes};
  ASSERT_TRUE(Next());
  EXPECT_EQ(prompter.shown.at(0).text, Question("先頭のページから検索しますか？"));
  EXPECT_EQ(project.CurrentPage(), 1);
}

TEST_F(FindAgainTest, PreviousTakesTheLastNonOverlappingHitBeforeTheCaret) {
  Pages("T", {"aaa aaa"});
  session.last_find_text = "aa";
  editor.SetSelStart(7);
  ASSERT_TRUE(Previous());
  EXPECT_EQ(editor.SelStart(), 4);
  ASSERT_TRUE(Previous());
  EXPECT_EQ(editor.SelStart(), 0);  // "aaa": the scan from the start finds 0, not 1
}

TEST_F(FindAgainTest, PreviousContinuesAtTheEndOfThePreviousPage) {
  Pages("T T T", {"k..k..", "x", "y"}, 3);
  session.last_find_text = "k";
  prompter.answers = {Answer::kYes, Answer::kYes};
  ASSERT_TRUE(Previous());
  EXPECT_EQ(prompter.shown.at(0).text, Question("前のページを検索しますか？"));
  EXPECT_EQ(project.CurrentPage(), 1);
  EXPECT_EQ(editor.SelStart(), 3);
}

TEST_F(FindAgainTest, PreviousOnPageOneAsksToStartAtTheLastPage) {
  Pages("T T", {"..", "k.k."});
  session.last_find_text = "k";
  prompter.answers = {Answer::kYes};
  ASSERT_TRUE(Previous());
  EXPECT_EQ(prompter.shown.at(0).text, Question("最後のページから検索しますか？"));
  EXPECT_EQ(project.CurrentPage(), 2);
  EXPECT_EQ(editor.SelStart(), 2);
}

TEST_F(FindAgainTest, CommandWithoutTextOpensTheDialog) {
  Pages("T", {"k"});
  int opened = 0;
  EXPECT_FALSE(FindCommand(
      FindDirection::kNext, session, nullptr, [&] { ++opened; }, target));
  EXPECT_EQ(opened, 1);
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(FindAgainTest, TheOpenDialogsBoxesAreTakenOver) {
  Pages("T", {"Key key"});
  session.last_find_text = "old";
  editor.SetSelStart(0);
  NormalFindDialog dialog(session, settings, editor);
  EXPECT_EQ(dialog.text, "old");
  EXPECT_TRUE(session.dialog_open);
  dialog.text = "key";
  dialog.case_sensitive = true;
  ASSERT_TRUE(FindCommand(FindDirection::kNext, session, &dialog, nullptr, target));
  EXPECT_EQ(session.last_find_text, "key");
  EXPECT_EQ(session.find_flags, kFindCaseSensitive);
  EXPECT_EQ(editor.SelStart(), 4);

  dialog.text.clear();  // an empty box does nothing
  EXPECT_FALSE(FindCommand(FindDirection::kNext, session, &dialog, nullptr, target));
  EXPECT_EQ(session.last_find_text, "key");
}

TEST_F(FindAgainTest, DialogStartsFromTheSelectionAndStoresItsOptions) {
  Pages("T", {"one two two"});
  settings.SetBool(keys::kOptionFindItClose, true);
  editor.SetSelStart(4);
  editor.SetSelLength(3);
  session.SetCaseSensitive(true);
  {
    NormalFindDialog dialog(session, settings, editor);
    EXPECT_EQ(dialog.text, "two");
    EXPECT_TRUE(dialog.case_sensitive);
    EXPECT_TRUE(dialog.close_after_search);
    dialog.SetAutoNext(true);
    EXPECT_TRUE(session.auto_next);
    EXPECT_TRUE(dialog.Press(FindDirection::kNext, target));  // closes after the search
    EXPECT_EQ(editor.SelStart(), 8);
    EXPECT_EQ(dialog.history().entries().front(), "two");
    dialog.close_after_search = false;
    ASSERT_TRUE(dialog.Close());
  }
  EXPECT_FALSE(session.dialog_open);
  EXPECT_FALSE(settings.GetBool(keys::kOptionFindItClose));
  EXPECT_TRUE(settings.GetBool(keys::kOptionFindItAuto));
  EXPECT_EQ(settings.file().ReadString("FindText", "Find0"), "two");
  FindSession fresh;
  fresh.Load(settings);
  EXPECT_TRUE(fresh.auto_next);
}

}  // namespace
}  // namespace qy
