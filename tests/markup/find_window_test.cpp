#include "markup/find_window.h"

#include <gtest/gtest.h>

#include "core/codec.h"
#include "core/memory_editor.h"
#include "support/fakes.h"
#include "support/page_ops_fixture.h"

namespace qy {
namespace {

using testing::FakePrompter;

class FindWindowTest : public ::testing::Test {
 protected:
  FindWindowTest()
      : settings(dir.File("q.ini")),
        navigator(project, editor),
        window(session, settings, project, editor, navigator, prompter, progress) {
    editor.on_text_changed = [this](const std::string& text) {
      if (project.ValidPage(project.CurrentPage())) {
        project.MutablePage(project.CurrentPage()).Topic = text;
      }
      window.TopicEdited();
    };
  }

  void Pages(const std::string& layout, const std::vector<std::string>& topics, int current = 1) {
    testing::MakePages(project, layout);
    for (std::size_t i = 0; i < topics.size(); ++i) {
      project.MutablePage(static_cast<int>(i) + 1).Topic = topics[i];
    }
    navigator.SelectPage(current);
  }
  void SearchFor(const std::string& text) {
    window.Open();
    window.find_text = text;
    window.Search();
  }

  testing::TempDir dir;
  Settings settings;
  ProjectModel project;
  MemoryEditor editor;
  EditorPageNavigator navigator;
  FakePrompter prompter;
  testing::FakeProgress progress;
  FindSession session;
  SearchReplaceWindow window;
};

TEST_F(FindWindowTest, SearchListsHitsOrSaysNothingWasFound) {
  Pages("T T", {"ab ab", "ab"});
  SearchFor("ab");
  EXPECT_EQ(window.hits().size(), 3u);

  SearchFor("zz");
  EXPECT_EQ(session.result_state, FindResultState::kDone);
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{Sjis("\r\nzz は見つかりませんでした。")});
}

TEST_F(FindWindowTest, ReplaceAllReportsSearchesAgainAndReloadsTheEditor) {
  Pages("T T", {"a-a", "bab"});
  SearchFor("a");
  window.replace_text = "xyz";
  EXPECT_EQ(window.ReplaceAll(), 3);
  EXPECT_EQ(project.Page(2).Topic, "bxyzb");
  EXPECT_EQ(editor.Text(), "xyz-xyz");
  EXPECT_TRUE(project.Modified());
  // The silent search afterwards finds nothing and says nothing.
  EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{Sjis("\r\n3個の置換を行いました。")}));

  Pages("T", {"k1 k2 k3"});
  SearchFor("k");
  window.replace_text = "K";
  EXPECT_EQ(window.ReplaceSelected({1}), 1);
  EXPECT_EQ(project.Page(1).Topic, "k1 K2 k3");
  EXPECT_EQ(window.hits().size(), 3u);  // searched again, case-blind
}

TEST_F(FindWindowTest, ReplaceOnTheShownPageIsOneUndoStep) {
  // The changed part starts inside the shared lead byte 0x83 of two
  // different characters; the edit must still cover whole characters.
  const std::string before = Sjis("前ア後ア");
  Pages("T T", {before, "x"});
  editor.ClearUndo();
  SearchFor(Sjis("ア"));
  window.replace_text = Sjis("イ");
  EXPECT_EQ(window.ReplaceAll(), 2);
  EXPECT_EQ(editor.Text(), Sjis("前イ後イ"));
  editor.Undo();  // one step
  EXPECT_EQ(editor.Text(), before);
  EXPECT_EQ(project.Page(1).Topic, before);
}

TEST_F(FindWindowTest, JumpSelectsTheHitWithTheSearchedLength) {
  Pages("T T", {"....", "xx find"});
  SearchFor("find");
  window.find_text = "changed since";  // the window keeps what it searched for
  ASSERT_TRUE(window.JumpToRow(0, false));
  EXPECT_EQ(project.CurrentPage(), 2);
  EXPECT_EQ(editor.SelStart(), 3);
  EXPECT_EQ(editor.SelLength(), 4);
}

TEST_F(FindWindowTest, JumpWithoutARowGoesToTheNextHitBehindTheCaret) {
  Pages("T T T", {"k..k", "nothing", "k"});
  SearchFor("k");
  editor.SetSelStart(0);
  ASSERT_TRUE(window.JumpToNextHit());  // the hit at the caret is passed over
  EXPECT_EQ(editor.SelStart(), 3);
  ASSERT_TRUE(window.JumpToNextHit());
  EXPECT_EQ(project.CurrentPage(), 3);
  EXPECT_EQ(editor.SelStart(), 0);  // a later page's first hit, even at its start
  EXPECT_FALSE(window.JumpToNextHit());
}

TEST_F(FindWindowTest, EditsMakeHitsStaleAndActivationSearchesAgain) {
  Pages("T", {"a a a a"});
  SearchFor("a");
  editor.SetSelStart(0);
  editor.SetSelLength(4);
  editor.SetSelText("");  // "a a" is left
  EXPECT_TRUE(window.Stale());
  window.Activated({3, 1});
  EXPECT_FALSE(window.Stale());
  EXPECT_EQ(window.hits().size(), 2u);
}

TEST_F(FindWindowTest, ClosingWithHitsHidesAndStoresPlaceAndHistory) {
  Pages("T", {"k"});
  SearchFor("k");
  FindWindowGeometry geometry;
  geometry.left = 40;
  geometry.topic_width = 300;
  ASSERT_TRUE(window.Close(geometry));
  EXPECT_TRUE(window.Exists());
  EXPECT_EQ(LoadFindWindowGeometry(settings), geometry);
  EXPECT_EQ(settings.file().ReadString("FindText", "Find0"), "k");
}

}  // namespace
}  // namespace qy
