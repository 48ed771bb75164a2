#include "project/page_commands.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "core/codec.h"
#include "core/cp932.h"
#include "core/files.h"
#include "core/settings_keys.h"
#include "project/context_list.h"
#include "project/page_clipboard.h"
#include "support/page_ops_fixture.h"

namespace qy {
namespace {

using testing::ContextOrder;
using testing::MakePages;
using testing::MakeTopicPages;
using testing::PageOpsTest;

constexpr int B1 = 11, B2 = 12, B3 = 13;

const std::string kLossWarning = Sjis("\r\n削除したページは元に戻せません。続行しますか？");

// --- New page --------------------------------------------------------------------

TEST_F(PageOpsTest, NewPageGoesRightAfterTheCurrentPage) {
  MakePages(model, "T T T T T");
  model.MutablePage(2).Context = "OTHER";
  model.SetCurrentPage(3);
  PageCommandResult r = Run([&] { return commands.NewPageCommand(); });
  EXPECT_EQ(ContextOrder(model), "HLP000001 OTHER HLP000003 HLP000002 HLP000004 HLP000005");
  EXPECT_EQ(r.current_page, 4);
  EXPECT_EQ(model.CurrentPage(), 4);
  EXPECT_EQ(model.Page(4).Title, "HLP000002");
  EXPECT_EQ(model.Page(4).ContextID, 6);
  EXPECT_EQ(r.tree_change, TreeChange::kInsertNode);
  EXPECT_FALSE(r.open_properties);
  EXPECT_TRUE(model.Modified());

  // Under a book the new page is its first child.
  settings.SetBool(keys::kOptionPageProp, true);
  MakePages(model, "T B1 T");
  model.SetCurrentPage(2);
  r = Run([&] { return commands.NewPageCommand(); });
  EXPECT_EQ(r.parent_page, 2);
  EXPECT_EQ(r.child_index, 0);
  EXPECT_TRUE(r.open_properties);
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(PageOpsTest, NewPageAndPasteRefuseAFullTable) {
  MakeTopicPages(model, kMaxPages);
  clipboard.text = PageClipboardText(model.Page(1));
  EXPECT_FALSE(commands.NewPageCommand().changed);
  EXPECT_FALSE(commands.PastePage().changed);
  EXPECT_EQ(model.PageCount(), kMaxPages);
  const std::string full = Sjis("ページが999個あります。\r\n\r\nこれ以上ページを作成できません。");
  EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{full, full}));
  EXPECT_EQ(prompter.shown[0].kind, "warning");
  EXPECT_FALSE(model.Modified());
}

TEST_F(PageOpsTest, InsertPageIntoAnEmptyTableMakesPageOne) {
  model.ClearPages();
  EXPECT_TRUE(commands.InsertPage("FIRST", "First", 7).changed);
  EXPECT_FALSE(commands.InsertPage("", "no context", 8).changed);
  EXPECT_EQ(ContextOrder(model), "FIRST");
  EXPECT_EQ(model.CurrentPage(), 1);
}

TEST_F(PageOpsTest, NothingHappensWhileAPageIsOutInTheEditor) {
  MakePages(model, "T T T");
  model.SetCurrentPage(2);
  ASSERT_TRUE(commands.CopyPage());
  commands.page_out_in_editor = [] { return true; };
  EXPECT_FALSE(commands.NewPageCommand().changed);
  EXPECT_FALSE(commands.DeletePage().changed);
  EXPECT_FALSE(commands.CutPage().changed);
  EXPECT_FALSE(commands.PastePage().changed);
  EXPECT_EQ(ContextOrder(model), "HLP000001 HLP000002 HLP000003");
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_FALSE(model.Modified());
}

// --- Delete and cut ------------------------------------------------------------------

TEST_F(PageOpsTest, PageOneCanNotBeDeletedOrCut) {
  MakePages(model, "T T");
  EXPECT_FALSE(commands.DeletePage().changed);
  EXPECT_FALSE(commands.CutPage().changed);
  EXPECT_EQ(prompter.Texts(),
            (std::vector<std::string>{Sjis("\r\n先頭のページは削除できません。"),
                                      Sjis("\r\n先頭のページは切り取れません。")}));
  EXPECT_EQ(model.PageCount(), 2);
}

TEST_F(PageOpsTest, DeleteAsksAndMakesThePageBeforeCurrent) {
  MakePages(model, "T T");
  model.SetCurrentPage(2);
  std::vector<std::string> history;
  commands.on_page_deleted = [&](const PageRecord& p) { history.push_back(p.Context); };
  // No, even with the box ticked, changes nothing.
  prompter.answers = {Answer::kNo, Answer::kYes};
  prompter.opt_outs = {true, false};
  EXPECT_FALSE(commands.DeletePage().changed);
  EXPECT_TRUE(settings.GetBool(keys::kOptionDelConfirm));
  EXPECT_FALSE(model.Modified());

  PageCommandResult r = Run([&] { return commands.DeletePage(); });
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[1].kind, "optout");
  EXPECT_EQ(prompter.shown[1].caption, Sjis("Quillory - ページ削除確認"));
  EXPECT_EQ(prompter.shown[1].text,
            Sjis("ページ < Page 2 > を削除しようとしています。") + kLossWarning);
  EXPECT_EQ(r.tree_change, TreeChange::kRemoveNode);
  EXPECT_EQ(ContextOrder(model), "HLP000001");
  EXPECT_EQ(model.CurrentPage(), 1);
  EXPECT_EQ(history, std::vector<std::string>{"HLP000002"});
  EXPECT_TRUE(model.Modified());
}

TEST_F(PageOpsTest, OptingOutStopsTheQuestionForDeleteAndCut) {
  MakePages(model, "T T T T");
  model.SetCurrentPage(4);
  prompter.opt_outs = {true};
  ASSERT_TRUE(commands.DeletePage().changed);
  EXPECT_EQ(IniFile(settings.file().path()).ReadString("Option", "DelConfirm"), "False");
  ASSERT_TRUE(commands.DeletePage().changed);
  ASSERT_TRUE(commands.CutPage().changed);
  EXPECT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(ContextOrder(model), "HLP000001");
}

TEST_F(PageOpsTest, DeletingABookLeavesItsPagesToThePageBefore) {
  MakePages(model, "B1 T B2 T T");
  model.SetCurrentPage(3);
  PageCommandResult r = Run([&] { return commands.DeletePage(); });
  EXPECT_EQ(r.tree_change, TreeChange::kRebuild);
  EXPECT_EQ(r.tree.ChildrenOf(1), (std::vector<int>{2, 3, 4}));
  EXPECT_EQ(model.CurrentPage(), 2);
}

TEST_F(PageOpsTest, CutPutsThePageOnTheClipboard) {
  MakePages(model, "T P");
  model.SetCurrentPage(2);
  Run([&] { return commands.CutPage(); });
  EXPECT_EQ(prompter.shown[0].text,
            Sjis("ページ < Page 2 > を切り取ろうとしています。") + kLossWarning);
  EXPECT_EQ(prompter.shown[0].caption, Sjis("Quillory - ページ削除確認"));
  EXPECT_EQ(model.PageCount(), 1);
  EXPECT_EQ(clipboard.text.substr(0, 32), "[Quillory Page v1.60]\r\nHLP000002");
}

// --- Move up and down ------------------------------------------------------------------

TEST_F(PageOpsTest, TheTopPageAndTheEndsDoNotMove) {
  MakePages(model, "T T T");
  EXPECT_FALSE(commands.MovePageUp().changed);
  EXPECT_FALSE(commands.MovePageDown().changed);
  model.SetCurrentPage(2);
  EXPECT_FALSE(commands.MovePageUp().changed);
  model.SetCurrentPage(3);
  EXPECT_FALSE(commands.MovePageDown().changed);
  EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{
                                  Sjis("\r\n先頭のページは移動できません。"),
                                  Sjis("\r\n先頭のページは移動できません。"),
                                  Sjis("\r\nHLP000002 は先頭には移動できません。"),
                                  Sjis("\r\nHLP000003 は最下部にあるため移動できません。"),
                              }));
  EXPECT_FALSE(model.Modified());
}

TEST_F(PageOpsTest, ABookMovedOverATopicTakesItAsFirstChild) {
  MakePages(model, "T T B1 T");
  model.SetCurrentPage(3);
  PageCommandResult r = Run([&] { return commands.MovePageUp(); });
  EXPECT_EQ(r.tree_change, TreeChange::kRebuild);
  EXPECT_EQ(ContextOrder(model), "HLP000001 HLP000003 HLP000002 HLP000004");
  EXPECT_EQ(model.CurrentPage(), 2);
  EXPECT_EQ(r.tree.ChildrenOf(2), (std::vector<int>{3, 4}));
}

TEST_F(PageOpsTest, ATopicMovesIntoAndOutOfABook) {
  MakePages(model, "T T B1 T");
  model.SetCurrentPage(2);
  PageCommandResult down = Run([&] { return commands.MovePageDown(); });
  EXPECT_EQ(down.tree_change, TreeChange::kMoveNode);
  EXPECT_EQ(down.parent_page, 2);
  PageCommandResult up = Run([&] { return commands.MovePageUp(); });
  EXPECT_EQ(up.parent_page, 0);
  EXPECT_EQ(ContextOrder(model), "HLP000001 HLP000002 HLP000003 HLP000004");
}

TEST_F(PageOpsTest, ABookMovedAboveItsParentIsRepaired) {
  MakePages(model, "T B1 B2 T");
  model.SetCurrentPage(3);
  Run([&] { return commands.MovePageUp(); });
  EXPECT_EQ(model.Page(2).Attribute, B1);
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{WrongLevelMessage("Page 3")});
}

// --- Drag and drop -----------------------------------------------------------------------

TEST_F(PageOpsTest, DropsThatAreRefusedOrDoNothing) {
  MakePages(model, "T T T T");
  EXPECT_FALSE(commands.DropPage(3).changed);
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{Sjis("\r\n先頭のページは移動できません。")});
  model.SetCurrentPage(3);
  EXPECT_FALSE(commands.DropPage(3).changed);
  EXPECT_FALSE(commands.DropPage(2).changed);
  EXPECT_FALSE(commands.DropPage(9).changed);
  EXPECT_EQ(prompter.shown.size(), 1u);
  EXPECT_FALSE(model.Modified());
}

TEST_F(PageOpsTest, DropMovesThePageWithAllItsFields) {
  MakePages(model, "T P B1 T T");
  model.SetCurrentPage(2);
  model.MutablePage(2).Keyword = "kw";
  model.MutablePage(2).Topic = "body";
  const PageRecord moved = model.Page(2);
  Run([&] { return commands.DropPage(4); });
  EXPECT_EQ(ContextOrder(model), "HLP000001 HLP000003 HLP000004 HLP000002 HLP000005");
  EXPECT_EQ(model.CurrentPage(), 4);
  EXPECT_EQ(model.Page(4), moved);
  Run([&] { return commands.DropPage(1); });
  EXPECT_EQ(ContextOrder(model), "HLP000001 HLP000002 HLP000003 HLP000004 HLP000005");
  EXPECT_EQ(model.CurrentPage(), 2);
}

TEST_F(PageOpsTest, ABookIsDroppedWithoutItsChildren) {
  MakePages(model, "T B1 T B1 T");
  model.SetCurrentPage(2);
  PageCommandResult r = Run([&] { return commands.DropPage(4); });
  EXPECT_EQ(r.tree_change, TreeChange::kRebuild);
  EXPECT_EQ(ContextOrder(model), "HLP000001 HLP000003 HLP000004 HLP000002 HLP000005");
  EXPECT_TRUE(r.tree.ChildrenOf(3).empty());
  EXPECT_EQ(r.tree.ChildrenOf(4), std::vector<int>{5});
}

TEST_F(PageOpsTest, CommandsRewriteAnExistingContextListOnly) {
  MakePages(model, "T T");
  const std::string hls = ContextListFileName(model);
  commands.NewPageCommand();
  EXPECT_FALSE(FileExists(hls));
  ASSERT_TRUE(WriteFileAtomic(hls, "old"));
  model.SetCurrentPage(3);
  commands.MovePageUp();
  EXPECT_EQ(ReadWholeFile(hls).value_or(""), ContextListText(model));
  commands.DeletePage();
  EXPECT_EQ(ReadWholeFile(hls).value_or(""), ContextListText(model));
}

// --- Kind changes ----------------------------------------------------------------------

std::string KindQuestion(PageAttribute to, const char* loss) {
  const char* target = IsBook(to)           ? "ブック属性"
                       : to == kTopicPage   ? "トピック属性"
                       : to == kPopupPage   ? "ポップアップ属性"
                       : to == kContentPage ? "コンテント属性"
                                            : "インクルード属性";
  return Sjis("ページ < Page 2 > を") + Sjis(target) + Sjis("にしようとしています。") + "\r\n" +
         Sjis(loss) + Sjis("続行しますか？");
}

TEST_F(PageOpsTest, TheKindChangeDecisions) {
  struct Case {
    std::string layout;
    bool text;
    PageAttribute to;
    AttributeChange result;
    const char* loss;  // nullptr: no question
  };
  const Case cases[] = {
      {"T T", true, kTopicPage, AttributeChange::kNothing, nullptr},
      {"T B2", false, B1, AttributeChange::kLevels, nullptr},
      {"T T", true, kPopupPage, AttributeChange::kImage, nullptr},
      {"T P", true, kTopicPage, AttributeChange::kImage, nullptr},
      {"T T", true, kContentPage, AttributeChange::kImage, "トピックの内容はすべて失われます。"},
      {"T P", true, kIncludePage, AttributeChange::kImage, "トピックの内容はすべて失われます。"},
      {"T T", true, B1, AttributeChange::kRebuild, "トピックの内容はすべて失われます。"},
      {"T T", false, kContentPage, AttributeChange::kImage, nullptr},
      {"T P", false, B1, AttributeChange::kRebuild, nullptr},
      {"T C", true, kTopicPage, AttributeChange::kImage, "ヘルプマクロの内容はすべて失われます。"},
      {"T C", true, B1, AttributeChange::kRebuild, "ヘルプマクロの内容はすべて失われます。"},
      {"T C", false, kIncludePage, AttributeChange::kImage, nullptr},
      {"T I", false, kTopicPage, AttributeChange::kImage, "インクルード属性は解除されます。"},
      {"T I", false, B1, AttributeChange::kRebuild, "インクルード属性は解除されます。"},
      {"T B1", false, kPopupPage, AttributeChange::kRebuild, "ブック属性は解除されます。"},
      {"T B1", false, kIncludePage, AttributeChange::kRebuild, "ブック属性は解除されます。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layout + " -> " + std::to_string(c.to));
    MakePages(model, c.layout);
    model.SetCurrentPage(2);
    if (c.text) model.MutablePage(2).Topic = "x";
    prompter.shown.clear();
    EXPECT_EQ(commands.ConfirmAttributeChange(c.to), c.result);
    if (c.loss) {
      ASSERT_EQ(prompter.shown.size(), 1u);
      EXPECT_EQ(prompter.shown[0].caption, Sjis("Quillory - ページ属性の変更確認"));
      EXPECT_EQ(prompter.shown[0].text, KindQuestion(c.to, c.loss));
    } else {
      EXPECT_TRUE(prompter.shown.empty());
    }
  }
}

TEST_F(PageOpsTest, TopicWithTextToContentAsksAndClears) {
  MakePages(model, "T T");
  model.SetCurrentPage(2);
  model.MutablePage(2).Topic = "body";
  model.MutablePage(2).Keyword = "kw";
  prompter.answers = {Answer::kNo};
  EXPECT_FALSE(commands.ChangePageAttribute(kContentPage).changed);
  EXPECT_EQ(model.Page(2).Topic, "body");
  EXPECT_FALSE(model.Modified());

  PageCommandResult r = Run([&] { return commands.ChangePageAttribute(kContentPage); });
  EXPECT_EQ(r.tree_change, TreeChange::kRefreshNode);
  EXPECT_TRUE(r.topic_cleared);
  EXPECT_EQ(model.Page(2).Attribute, kContentPage);
  EXPECT_EQ(model.Page(2).Topic, "");
  EXPECT_EQ(model.Page(2).Keyword, "");
  EXPECT_TRUE(model.Modified());
}

TEST_F(PageOpsTest, TopicToPopupKeepsEverything) {
  MakePages(model, "T T");
  model.SetCurrentPage(2);
  model.MutablePage(2).Topic = "body";
  model.MutablePage(2).Window = "main";
  Run([&] { return commands.ChangePageAttribute(kPopupPage); });
  EXPECT_EQ(model.Page(2).Topic, "body");
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_EQ(PageKindLabel(model.Page(2)), Sjis("ポップアップ属性 ： main"));
}

TEST_F(PageOpsTest, OptingOutOfKindQuestionsWritesTheSetting) {
  MakePages(model, "T T T");
  model.SetCurrentPage(2);
  model.MutablePage(2).Topic = "body";
  model.MutablePage(3).Topic = "more";
  prompter.opt_outs = {true};
  ASSERT_TRUE(commands.ChangePageAttribute(kIncludePage).changed);
  EXPECT_EQ(IniFile(settings.file().path()).ReadString("Option", "AttrConfirm"), "0");
  model.SetCurrentPage(3);
  ASSERT_TRUE(commands.ChangePageAttribute(kContentPage).changed);
  EXPECT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(model.Page(3).Topic, "");
}

TEST_F(PageOpsTest, BookKindsRebuildTheTree) {
  MakePages(model, "T B1 T T");
  model.SetCurrentPage(3);
  PageCommandResult r = Run([&] { return commands.ChangePageAttribute(B3); });
  EXPECT_EQ(r.tree_change, TreeChange::kRebuild);
  EXPECT_EQ(model.Page(3).Attribute, B2);  // level 3 can not follow level 1
  EXPECT_EQ(PageKindLabel(model.Page(3)), Sjis("ブック属性 [レベル 2]"));
  r = Run([&] { return commands.ChangePageAttribute(kTopicPage); });
  EXPECT_EQ(r.tree.ChildrenOf(2), (std::vector<int>{3, 4}));
}

// --- Random sequences of commands ------------------------------------------------------

void ExpectSoundTable(const ProjectModel& model) {
  std::set<std::string> contexts;
  std::set<std::int32_t> ids;
  ASSERT_TRUE(model.ValidPage(model.CurrentPage()));
  for (int i = 1; i <= model.PageCount(); ++i) {
    const PageRecord& p = model.Page(i);
    ASSERT_FALSE(p.Context.empty()) << "page " << i;
    EXPECT_TRUE(contexts.insert(AsciiUpper(p.Context)).second) << "context " << p.Context;
    EXPECT_TRUE(ids.insert(p.ContextID).second) << "ID " << p.ContextID;
    EXPECT_LE(BookLevel(p.Attribute), MaxBookLevelAt(model, i)) << "page " << i;
    EXPECT_TRUE(HasTopicText(p.Attribute) || p.Topic.empty()) << "page " << i;
  }
}

TEST_F(PageOpsTest, RandomCommandSequencesKeepTheTableSound) {
  MakePages(model, "T");
  ProjectModel other;  // a second project to copy from
  MakePages(other, "T P B1 C");
  std::mt19937 rng(20240611);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const PageAttribute kinds[] = {kTopicPage, kPopupPage, kContentPage, kIncludePage, B1, B2, B3};
  for (int step = 0; step < 400 && !HasFailure(); ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    model.SetCurrentPage(pick(1, model.PageCount()));
    PageRecord& current = model.MutablePage(model.CurrentPage());
    if (pick(0, 3) == 0 && HasTopicText(current.Attribute)) current.Topic = "t";
    prompter.answers = {pick(0, 5) == 0 ? Answer::kNo : Answer::kYes};
    switch (pick(0, 9)) {
      case 0:
      case 1:
        Run([&] { return commands.NewPageCommand(); });
        break;
      case 2:
        Run([&] { return commands.DeletePage(); });
        break;
      case 3:
        Run([&] { return commands.MovePageUp(); });
        break;
      case 4:
        Run([&] { return commands.MovePageDown(); });
        break;
      case 5:
        Run([&] { return commands.CutPage(); });
        break;
      case 6:
        if (pick(0, 1) == 0) {
          commands.CopyPage();
        } else {
          clipboard.text = PageClipboardText(other.Page(pick(1, other.PageCount())));
        }
        Run([&] { return commands.PastePage(); });
        break;
      case 7:
        Run([&] { return commands.DropPage(pick(1, model.PageCount())); });
        break;
      default: {
        const PageAttribute to = kinds[pick(0, 6)];
        Run([&] { return commands.ChangePageAttribute(to); });
      }
    }
    ExpectSoundTable(model);
  }
  EXPECT_GT(model.PageCount(), 5);
}

}  // namespace
}  // namespace qy
