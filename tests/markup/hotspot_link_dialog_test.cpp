#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/codec.h"
#include "core/memory_editor.h"
#include "core/settings.h"
#include "core/settings_keys.h"
#include "markup/keyword_link_model.h"
#include "markup/link_dialog_model.h"
#include "support/fakes.h"
#include "support/page_ops_fixture.h"

namespace qy {
namespace {

using qy::testing::FakePrompter;
using qy::testing::MakePages;
using qy::testing::TempDir;

// Each node as "page<parent page", 0 for the root.
std::string Shape(const LinkPageTree& tree) {
  std::string out;
  for (const LinkTreeNode& n : tree.nodes) {
    out += (out.empty() ? "" : " ") + std::to_string(n.page) + "<" +
           std::to_string(n.parent < 0 ? 0 : tree.nodes[n.parent].page);
  }
  return out;
}

TEST(LinkPageTree, BooksNestTheFirstEmptyContextEndsAndSkippedLevelsAreLeftOut) {
  ProjectModel model;
  MakePages(model, "T B1 P B2 C B1 I T");
  model.MutablePage(8).Context.clear();
  LinkPageTree tree = BuildLinkPageTree(model);
  EXPECT_TRUE(tree.well_formed);
  EXPECT_EQ(Shape(tree), "1<0 2<0 3<2 4<2 5<4 6<0 7<6");

  MakePages(model, "T B2 T B1 B3 P");
  tree = BuildLinkPageTree(model);
  EXPECT_FALSE(tree.well_formed);
  EXPECT_EQ(Shape(tree), "1<0 3<0 4<0 6<4");
  EXPECT_EQ(tree.NodeOfPage(2), -1);
}

class LinkDialogTest : public ::testing::Test {
 protected:
  LinkDialogTest() : settings_(dir_.File("quillory.ini")) {
    MakePages(model_, "T P C I B1 T P T");
    SetTitle(1, "はじめに");
    SetTitle(2, "ソX");     // ソ = 83 5C: "\X" lies across the character
    SetTitle(3, "家計簿");  // a Content page is never a search candidate
    SetTitle(6, "家計簿を作成する");
    SetTitle(7, "a\\X");
    SetTitle(8, "家計簿");
    model_.SetProjectFileName("/home/u/Guide.qyp");
  }
  void SetTitle(int page, const char* utf8) { model_.MutablePage(page).Title = Sjis(utf8); }

  TempDir dir_;
  Settings settings_;
  ProjectModel model_;
  FakePrompter prompter_;
};

TEST_F(LinkDialogTest, InitialSelectionPrefersAnExactTitle) {
  const std::pair<const char*, int> cases[] = {
      {"家計簿", 8},  // an equal title beats the earlier partial match
      {"作成", 6},
      {"zzz", 1},
      {"", 1}};
  for (const auto& [selected, page] : cases) {
    LinkDialogModel dialog(model_, settings_, LinkMode::kJump);
    dialog.Prepare(Sjis(selected));
    EXPECT_EQ(dialog.target_page(), page) << selected;
  }
}

TEST_F(LinkDialogTest, NoInitialSelectionInATreeThatIsNotWellFormed) {
  model_.MutablePage(5).Attribute = BookAttribute(3);
  LinkDialogModel dialog(model_, settings_, LinkMode::kJump);
  dialog.Prepare(Sjis("家計簿"));
  EXPECT_EQ(dialog.target_page(), 0);
  MemoryEditor editor("x");
  EXPECT_FALSE(dialog.Insert(HotspotForm::kNormal, editor));
  EXPECT_EQ(editor.Text(), "x");
}

TEST_F(LinkDialogTest, SearchSkipsContentPagesAndNeverMatchesFromATrailByte) {
  LinkDialogModel dialog(model_, settings_, LinkMode::kPopup);
  dialog.Prepare("");
  dialog.SetFindText(Sjis("家計簿"));
  EXPECT_TRUE(dialog.FindNext(prompter_));
  EXPECT_EQ(dialog.target_page(), 6);  // page 3 is a Content page
  EXPECT_TRUE(dialog.FindNext(prompter_));
  EXPECT_EQ(dialog.target_page(), 8);
  EXPECT_FALSE(dialog.FindNext(prompter_));
  EXPECT_EQ(dialog.target_page(), 8);

  dialog.SetFindText("\\X");
  EXPECT_TRUE(dialog.FindFromTop(prompter_));
  EXPECT_EQ(dialog.target_page(), 7);
  // "A" followed by a lead byte matches inside アイ only from a trail byte.
  SetTitle(8, "アイ");
  dialog.SetFindText(std::string("A") + "\x83");
  EXPECT_FALSE(dialog.FindFromTop(prompter_));
  EXPECT_EQ(dialog.target_page(), 7);
}

TEST_F(LinkDialogTest, OnlyTopicAndPopupPagesAreLinked) {
  LinkDialogModel dialog(model_, settings_, LinkMode::kJump);
  dialog.Prepare("");
  MemoryEditor editor("see Next");
  editor.SetSelStart(4);
  editor.SetSelLength(4);
  dialog.SelectPage(4);
  EXPECT_FALSE(dialog.Insert(HotspotForm::kNormal, editor));
  dialog.SelectPage(2);
  EXPECT_TRUE(dialog.Insert(HotspotForm::kNormal, editor));
  EXPECT_EQ(editor.Text(), "see {\\uldb Next}{\\v HLP000002}");
}

TEST_F(LinkDialogTest, WindowListFromTheWindowsSection) {
  EXPECT_EQ(WindowNames("main=\"\",,1\r\n=skip\r\nnoequals\r\nsub=\"x=y\"\r\nx="),
            (std::vector<std::string>{"main", "sub", "x"}));
  model_.Header().WindowsSection = "main=\"\",,27648\r\nsub=\"Sub\",,1";
  LinkDialogModel dialog(model_, settings_, LinkMode::kJump);
  dialog.Prepare("");
  dialog.SetOtherWindow(true);
  dialog.SetWindowIndex(1);
  EXPECT_EQ(dialog.Markup(HotspotForm::kButton, "Go"),
            "\\{button Go, JumpID(Guide.hlp>sub, HLP000001)\\}");
}

TEST_F(LinkDialogTest, ColourSettingsAreReadAndWrittenPerFamily) {
  settings_.SetBool(keys::kWindowPopColorChk, true);
  settings_.SetInt(keys::kWindowPopColorPos, 12);
  settings_.SetInt(keys::kWindowJmpColorPos, 40);  // out of the table
  LinkDialogModel jump(model_, settings_, LinkMode::kJump);
  jump.Prepare("");
  EXPECT_EQ(jump.options().color_index, 16);

  // PagePick reads and writes the jump family.
  LinkDialogModel pick(model_, settings_, LinkMode::kPagePick);
  pick.Prepare("");
  pick.options().color_index = 7;
  pick.Close();
  EXPECT_EQ(settings_.GetInt(keys::kWindowJmpColorPos), 7);
  EXPECT_EQ(settings_.GetInt(keys::kWindowPopColorPos), 12);
}

TEST_F(LinkDialogTest, SelectPageResult) {
  auto pick_page_6 = [&](LinkDialogModel& dialog) {
    dialog.SelectPage(6);
    return true;
  };
  EXPECT_EQ(SelectPageWithDialog(model_, settings_, 1, "", pick_page_6), 5);
  // A Content page gets -1 without a dialog.
  EXPECT_EQ(SelectPageWithDialog(model_, settings_, 3, "", pick_page_6), -1);
  // OK with nothing picked (a tree that is not well formed).
  model_.MutablePage(5).Attribute = BookAttribute(4);
  EXPECT_EQ(SelectPageWithDialog(model_, settings_, 1, "", [](LinkDialogModel&) { return true; }),
            -1);
}

TEST(KeywordLinkList, PiecesAreUniqueAndUntrimmed) {
  EXPECT_EQ(KeywordPieces(" a ;;"), (std::vector<std::string>{" a "}));
  ProjectModel model;
  MakePages(model, "T P T");
  model.MutablePage(1).Keyword = "abc;;def;abc";
  model.MutablePage(2).Keyword = "ABC;def";
  model.MutablePage(3).AKeyword = "only-a";
  EXPECT_EQ(ProjectKeywords(model, KeywordLinkMode::kKLink),
            (std::vector<std::string>{"abc", "def", "ABC"}));
  EXPECT_EQ(ProjectKeywords(model, KeywordLinkMode::kALink), (std::vector<std::string>{"only-a"}));
}

class KeywordLinkTest : public ::testing::Test {
 protected:
  KeywordLinkTest() : settings(dir.File("quillory.ini")) { MakePages(model, "T"); }

  TempDir dir;
  Settings settings;
  ProjectModel model;
};

TEST_F(KeywordLinkTest, InsertedTargetMovesToTheTopAndTwentyAreKept) {
  for (int i = 0; i < 20; ++i) settings.SetString(keys::OptionLink(i), "t" + std::to_string(i));
  KeywordLinkModel dialog(model, settings, KeywordLinkMode::kHyperlink);
  dialog.Prepare();
  MemoryEditor editor("run");
  editor.SetSelLength(3);
  dialog.SetKeyword("t2");
  ASSERT_TRUE(dialog.Insert(HotspotForm::kButton, editor));
  EXPECT_EQ(editor.Text(), "\\{button run,ExecFile(\"t2\")\\}");
  std::vector<std::string> stored = ReadLinkHistory(settings);
  EXPECT_EQ(std::vector<std::string>(stored.begin(), stored.begin() + 4),
            (std::vector<std::string>{"t2", "t0", "t1", "t3"}));

  dialog.SetKeyword("new");
  ASSERT_TRUE(dialog.Insert(HotspotForm::kNormal, editor));
  stored = ReadLinkHistory(settings);
  EXPECT_EQ(stored.front(), "new");
  EXPECT_EQ(stored.back(), "t18");  // t19 fell off the end
  // An empty target inserts nothing and leaves the history alone.
  dialog.SetKeyword("");
  EXPECT_FALSE(dialog.Insert(HotspotForm::kNormal, editor));
  EXPECT_EQ(ReadLinkHistory(settings), stored);

  // A shorter history leaves later keys as they were.
  settings.SetString(keys::OptionLink(5), "old");
  ASSERT_TRUE(WriteLinkHistory(settings, PushLinkHistory({"b", "a", "c", "a"}, "a")));
  EXPECT_EQ(settings.GetString(keys::OptionLink(2)), "c");
  EXPECT_EQ(settings.GetString(keys::OptionLink(5)), "old");
}

TEST_F(KeywordLinkTest, ColourKeysOfTheKeywordFamily) {
  settings.SetBool(keys::kWindowKeyColorChk, true);
  settings.SetInt(keys::kWindowKeyColorPos, 4);
  model.MutablePage(1).AKeyword = "b;a";
  KeywordLinkModel alink(model, settings, KeywordLinkMode::kALink);
  alink.Prepare();
  MemoryEditor editor("x");
  editor.SetSelLength(1);
  alink.SetKeyword("a");
  ASSERT_TRUE(alink.Insert(HotspotForm::kNormal, editor));
  EXPECT_EQ(editor.Text(), "{\\uldb\\cf4 x}{\\v* !ALink(\"a\")}");
  EXPECT_TRUE(ReadLinkHistory(settings).empty());  // only hyperlinks are remembered
}

}  // namespace
}  // namespace qy
