#include "shell/page_history.h"

#include <gtest/gtest.h>

#include "core/memory_editor.h"
#include "core/settings.h"
#include "project/page_commands.h"
#include "support/fakes.h"

namespace qy {
namespace {

using Contexts = std::vector<std::string>;

TEST(PageHistoryTest, VisitsKeepTenDistinctContextsNewestFirst) {
  PageHistory history;
  for (const char* c : {"A", "B", "A", "A"}) history.RecordPageVisit(c);
  EXPECT_EQ(history.Contexts(), (Contexts{"A", "B"}));
  for (const char* c : {"C", "D", "E", "F", "G", "H", "I", "J", "K"}) history.RecordPageVisit(c);
  EXPECT_EQ(history.Contexts(), (Contexts{"K", "J", "I", "H", "G", "F", "E", "D", "C", "A"}))
      << "the oldest falls out";
  history.RecordPageVisit("A");
  EXPECT_EQ(history.Contexts(), (Contexts{"A", "K", "J", "I", "H", "G", "F", "E", "D", "C"}))
      << "the last entry comes back to the top";
  // Accepted properties rename the entry of the page; a page not in the
  // history stays out.
  history.OnPagePropertiesAccepted("K", "K2");
  history.OnPagePropertiesAccepted("Q", "Q2");
  EXPECT_EQ(history.Contexts()[1], "K2");
  PageHistory empty;
  empty.OnPagePropertiesAccepted("X", "X2");
  EXPECT_EQ(empty.Contexts(), (Contexts{"X2"})) << "an empty history gets the page";
}

TEST(PageHistoryTest, CaretsTravelWithTheirEntries) {
  PageHistory history;
  history.RecordPageVisit("A");
  history.StoreCaret("A", 5);
  history.RecordPageVisit("B");
  history.StoreCaret("B", 7);
  history.StoreCaret("A", 99);  // A is not the page being left: ignored
  history.RecordPageVisit("C");
  EXPECT_EQ(history.Entry(2).caret, 5);
  history.RecordPageVisit("A");
  EXPECT_EQ(history.Entry(0).caret, 0) << "a revisited page starts again at 0";
  EXPECT_EQ(history.Entry(2).caret, 7);

  history.OnPageDeleted("A");
  EXPECT_EQ(history.Contexts(), (Contexts{"C", "B"}));
  EXPECT_EQ(history.Entry(1).caret, 7);
  history.ClearPageHistory();
  EXPECT_EQ(history.Contexts(), (Contexts{"C"}));
}

class NavigatorTest : public ::testing::Test {
 protected:
  NavigatorTest() {
    for (int n = 1; n <= 4; ++n) {
      PageRecord page;
      page.Context = NumberedContext(n);
      page.Title = "Page " + std::to_string(n);
      page.ContextID = n;
      page.Topic = "text of page " + std::to_string(n);
      model.AppendPage(std::move(page));
    }
    model.MutablePage(4).Attribute = BookAttribute(1);
    model.MutablePage(4).Topic.clear();
    // As the window does: every change of the editor text goes into the page.
    editor.on_text_changed = [this](const std::string& text) {
      model.MutablePage(model.CurrentPage()).Topic = text;
      model.SetModified(true);
    };
    navigator.tree_visible = [this] { return tree_visible; };
    navigator.ShowPage(1);
  }

  ProjectModel model;
  MemoryEditor editor;
  PageHistory history;
  PageSwitch navigator{model, editor, history};
  bool tree_visible = true;
};

TEST_F(NavigatorTest, ShowPageLoadsTheTopicWithoutCountingAsAChange) {
  navigator.ShowPage(2);
  EXPECT_EQ(editor.Text(), "text of page 2");
  EXPECT_FALSE(editor.CanUndo() || editor.ReadOnly() || model.Modified());
  navigator.ShowPage(4);
  EXPECT_TRUE(editor.ReadOnly()) << "a book has no text to edit";
  model.SetModified(true);
  navigator.ShowPage(1);
  EXPECT_TRUE(model.Modified());
  EXPECT_EQ(history.Contexts(), (Contexts{"HLP000001", "HLP000004", "HLP000002"}));
  // With the tree hidden, page changes stay out of the history.
  tree_visible = false;
  navigator.ShowPage(3);
  EXPECT_EQ(history.Contexts().size(), 3u);
}

TEST_F(NavigatorTest, GoingBackRestoresTheCaret) {
  editor.SetSelStart(4);
  navigator.ShowPage(2);
  editor.SetSelStart(9);
  navigator.ShowPage(3);
  EXPECT_TRUE(navigator.GoToHistoryEntry(2));
  EXPECT_EQ(editor.SelStart(), 4);
  EXPECT_EQ(history.Contexts(), (Contexts{"HLP000001", "HLP000003", "HLP000002"}));
  EXPECT_TRUE(navigator.GoToHistoryEntry(2));
  EXPECT_EQ(editor.SelStart(), 9);
}

TEST_F(NavigatorTest, AnEntryWhosePageIsGoneLeadsNowhere) {
  navigator.ShowPage(2);
  navigator.ShowPage(3);
  model.MutablePage(2).Context = "RENAMED";  // e.g. by a macro
  EXPECT_FALSE(navigator.GoToHistoryEntry(1));
  EXPECT_FALSE(navigator.GoToHistoryEntry(5));
  EXPECT_EQ(editor.Text(), "text of page 3");
}

TEST_F(NavigatorTest, DeletingThePageDropsItsEntryAndKeepsTheOtherCarets) {
  testing::TempDir dir;
  testing::FakePrompter prompter;
  testing::FakeClipboard clipboard;
  Settings settings{dir.File("quillory.ini")};
  PageCommands commands{model, prompter, clipboard, settings};
  commands.on_page_deleted = [this](const PageRecord& page) {
    navigator.PageDeleted(page.Context);
  };

  editor.SetSelStart(6);
  navigator.ShowPage(2);
  editor.SetSelStart(3);
  navigator.ShowPage(3);
  editor.SetSelStart(8);
  navigator.ShowPage(commands.DeletePage().current_page);
  EXPECT_EQ(history.Contexts(), (Contexts{"HLP000002", "HLP000001"}));
  EXPECT_EQ(history.Entry(0).caret, 3) << "the deleted page's caret went nowhere";
  EXPECT_EQ(history.Entry(1).caret, 6);
  EXPECT_TRUE(navigator.GoToHistoryEntry(1));
  EXPECT_EQ(editor.SelStart(), 6);
}

}  // namespace
}  // namespace qy
