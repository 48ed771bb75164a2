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

  testing::TempDir dir;
  Settings settings;
  ProjectModel project;
  MemoryEditor editor;
  EditorPageNavigator navigator;
  FakePrompter prompter;
  FindSession session;
  FindTarget target{project, editor, navigator, prompter};
};

TEST_F(FindAgainTest, SearchesThePageThenAsksBeforeMovingOn) {
  constexpr auto kNext = FindDirection::kNext, kPrev = FindDirection::kPrevious;
  constexpr auto kYes = Answer::kYes, kNo = Answer::kNo;
  struct Case {
    const char* layout;
    std::vector<std::string> topics;
    int current;
    std::string text;
    FindDirection direction;
    bool case_sensitive, auto_next;
    int sel_start, sel_length;
    std::vector<Answer> answers;
    bool found;
    int page, found_start, found_length;
    const char* asks;  // the end of the first question, "" for none
  };
  const char* const kFirst = "先頭のページから検索しますか？";
  const char* const kLast = "最後のページから検索しますか？";
  // clang-format off
  const Case cases[] = {
      {"T", {"abc ABC abc"}, 1, "abc", kNext, false, false, 0, 3, {}, true, 1, 4, 3, ""},
      {"T", {"abc ABC abc"}, 1, "abc", kNext, true, false, 0, 3, {}, true, 1, 8, 3, ""},
      // ア ends in 0x41: no hit there.
      {"T", {Sjis("アイ") + "xA"}, 1, "A", kNext, false, false, 0, 0, {}, true, 1, 5, 1, ""},
      {"T", {Sjis("アイ") + "xA"}, 1, "A", kNext, false, false, 5, 1, {kNo}, false, 1, 5, 1, kFirst},
      // A "Yes" passes a page for good.
      {"T T T", {"x", "y", "z"}, 1, "k", kNext, false, false, 1, 0, {kYes, kNo}, false, 2, 0, 0,
       "次のページを検索しますか？"},
      {"T T", {"xk", "abc"}, 2, "K", kNext, false, false, 0, 0, {kYes}, true, 1, 1, 1, kFirst},
      {"T B1", {"k"}, 2, "k", kNext, false, false, 0, 0, {kYes}, true, 1, 0, 1, kFirst},
      {"T B1 I C", {"a", "k", "", "..k"}, 1, "k", kNext, false, true, 0, 0, {}, true, 4, 2, 1, ""},
      // Backward: the last non-overlapping hit before the caret.
      {"T", {"aaa aaa"}, 1, "aa", kPrev, false, false, 7, 0, {}, true, 1, 4, 2, ""},
      {"T T T", {"k..k..", "x", "y"}, 3, "k", kPrev, false, false, 0, 0, {kYes, kYes}, true, 1, 3, 1,
       "前のページを検索しますか？"},
      {"T T", {"..", "k.k."}, 1, "k", kPrev, false, false, 0, 0, {kYes}, true, 2, 2, 1, kLast},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.topics[0] + " " + c.text);
    Pages(c.layout, c.topics, c.current);
    editor.SetSelStart(c.sel_start);
    editor.SetSelLength(c.sel_length);
    prompter = FakePrompter();
    prompter.answers.assign(c.answers.begin(), c.answers.end());
    session = FindSession();
    session.last_find_text = c.text;
    session.SetCaseSensitive(c.case_sensitive);
    session.auto_next = c.auto_next;
    EXPECT_EQ(FindAgain(c.direction, session, target), c.found);
    EXPECT_EQ(project.CurrentPage(), c.page);
    EXPECT_EQ(editor.SelStart(), c.found_start);
    EXPECT_EQ(editor.SelLength(), c.found_length);
    EXPECT_EQ(prompter.shown.size(), c.answers.size());
    if (*c.asks) {
      EXPECT_EQ(prompter.shown.at(0).text,
                Sjis("「") + c.text + Sjis("」 は見つかりませんでした。\r\n\r\n") + Sjis(c.asks));
    }
  }
}

TEST_F(FindAgainTest, CommandTakesTheOpenDialogsBoxesOrOpensIt) {
  Pages("T", {"Key key"});
  int opened = 0;
  EXPECT_FALSE(FindCommand(
      FindDirection::kNext, session, nullptr, [&] { ++opened; }, target));
  EXPECT_EQ(opened, 1);

  NormalFindDialog dialog(session, settings, editor);
  dialog.text = "key";
  dialog.case_sensitive = true;
  ASSERT_TRUE(FindCommand(FindDirection::kNext, session, &dialog, nullptr, target));
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
    dialog.SetAutoNext(true);
    EXPECT_TRUE(dialog.Press(FindDirection::kNext, target));  // closes after the search
    dialog.close_after_search = false;
    ASSERT_TRUE(dialog.Close());
  }
  EXPECT_FALSE(settings.GetBool(keys::kOptionFindItClose));
  EXPECT_EQ(settings.file().ReadString("FindText", "Find0"), "two");
  FindSession fresh;
  fresh.Load(settings);
  EXPECT_TRUE(fresh.auto_next);
}

}  // namespace
}  // namespace qy
