#include "project/page_commands.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>
#include <string>
#include <tuple>

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

// Whether message `i` holds `utf8`.
bool Says(const testing::FakePrompter& prompter, std::size_t i, const std::string& utf8) {
  return i < prompter.shown.size() && prompter.shown[i].text.find(Sjis(utf8)) != std::string::npos;
}

// --- New page --------------------------------------------------------------------

TEST_F(PageOpsTest, NewPageGoesRightAfterTheCurrentPage) {
  MakePages(model, "T T T T T");
  model.MutablePage(2).Context = "OTHER";
  model.SetCurrentPage(3);
  PageCommandResult r = Run([&] { return commands.NewPageCommand(); });
  EXPECT_EQ(ContextOrder(model), "HLP000001 OTHER HLP000003 HLP000002 HLP000004 HLP000005");
  EXPECT_EQ(model.CurrentPage(), 4);
  EXPECT_EQ(model.Page(4).ContextID, 6);

  // Under a book the new page is its first child.
  settings.SetBool(keys::kOptionPageProp, true);
  MakePages(model, "T B1 T");
  model.SetCurrentPage(2);
  r = Run([&] { return commands.NewPageCommand(); });
  EXPECT_EQ(r.parent_page, 2);
  EXPECT_EQ(r.child_index, 0);
}

TEST_F(PageOpsTest, NewPageAndPasteRefuseAFullTable) {
  MakeTopicPages(model, kMaxPages);
  clipboard.text = PageClipboardText(model.Page(1));
  EXPECT_FALSE(commands.NewPageCommand().changed);
  EXPECT_FALSE(commands.PastePage().changed);
  EXPECT_EQ(model.PageCount(), kMaxPages);
  EXPECT_FALSE(model.Modified());
}

// While a page is out in the external editor nothing happens; page 1 is never
// deleted, cut or moved; the last page does not move down, the second not up.
TEST_F(PageOpsTest, RefusedCommandsChangeNothing) {
  MakePages(model, "T T T");
  model.SetCurrentPage(2);
  ASSERT_TRUE(commands.CopyPage());
  commands.page_out_in_editor = [] { return true; };
  EXPECT_FALSE(commands.NewPageCommand().changed);
  EXPECT_FALSE(commands.DeletePage().changed);
  EXPECT_FALSE(commands.CutPage().changed);
  EXPECT_FALSE(commands.PastePage().changed);
  EXPECT_TRUE(prompter.shown.empty());
  commands.page_out_in_editor = nullptr;
  const std::pair<int, std::function<PageCommandResult()>> refused[] = {
      {1, [&] { return commands.DeletePage(); }},   {1, [&] { return commands.CutPage(); }},
      {1, [&] { return commands.MovePageUp(); }},   {1, [&] { return commands.MovePageDown(); }},
      {1, [&] { return commands.DropPage(3); }},    {2, [&] { return commands.MovePageUp(); }},
      {3, [&] { return commands.MovePageDown(); }}, {3, [&] { return commands.DropPage(3); }},
      {3, [&] { return commands.DropPage(2); }},    {3, [&] { return commands.DropPage(9); }},
  };
  for (const auto& [current, command] : refused) {
    model.SetCurrentPage(current);
    EXPECT_FALSE(command().changed);
  }
  EXPECT_EQ(ContextOrder(model), "HLP000001 HLP000002 HLP000003");
  EXPECT_FALSE(model.Modified());
}

// --- Delete and cut ------------------------------------------------------------------

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

  Run([&] { return commands.DeletePage(); });
  EXPECT_EQ(ContextOrder(model), "HLP000001");
  EXPECT_EQ(model.CurrentPage(), 1);
  EXPECT_EQ(history, std::vector<std::string>{"HLP000002"});
}

TEST_F(PageOpsTest, OptingOutStopsTheQuestionForDeleteAndCut) {
  MakePages(model, "T T T T");
  model.SetCurrentPage(4);
  prompter.opt_outs = {true};
  ASSERT_TRUE(commands.DeletePage().changed);
  EXPECT_EQ(IniFile(settings.file().path()).ReadString("Option", "DelConfirm"), "False");
  ASSERT_TRUE(commands.DeletePage().changed);
  ASSERT_TRUE(Run([&] { return commands.CutPage(); }).changed);
  EXPECT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(ContextOrder(model), "HLP000001");
  EXPECT_EQ(clipboard.text.substr(0, 32), "[Quillory Page v1.60]\r\nHLP000002");
}

TEST_F(PageOpsTest, DeletingABookLeavesItsPagesToThePageBefore) {
  MakePages(model, "B1 T B2 T T");
  model.SetCurrentPage(3);
  PageCommandResult r = Run([&] { return commands.DeletePage(); });
  EXPECT_EQ(r.tree.ChildrenOf(1), (std::vector<int>{2, 3, 4}));
  EXPECT_EQ(model.CurrentPage(), 2);
}

// --- Moves ----------------------------------------------------------------------------

// {layout, current page, move, order after, current after}. A book moved over
// a topic takes it as first child; a topic moves into and out of a book; a
// page is dropped after the target, a book without its children.
TEST_F(PageOpsTest, MovesAndDrops) {
  enum Move { kUp, kDown, kDropOn4, kDropOn1 };
  const std::tuple<const char*, int, Move, const char*, int> cases[] = {
      {"T T B1 T", 3, kUp, "1 3 2 4", 2},
      {"T T B1 T", 2, kDown, "1 3 2 4", 3},
      {"T B1 T", 3, kUp, "1 3 2", 2},
      {"T P B1 T T", 2, kDropOn4, "1 3 4 2 5", 4},
      {"T B1 T B1 T", 2, kDropOn4, "1 3 4 2 5", 4},
      {"T T T T", 4, kDropOn1, "1 4 2 3", 2},
  };
  for (const auto& [layout, current, move, order, current_after] : cases) {
    SCOPED_TRACE(std::string(layout) + " " + std::to_string(current));
    MakePages(model, layout);
    model.SetCurrentPage(current);
    model.MutablePage(current).Keyword = "kw";
    const PageRecord moved = model.Page(current);
    Run([&, move = move] {
      return move == kUp     ? commands.MovePageUp()
             : move == kDown ? commands.MovePageDown()
                             : commands.DropPage(move == kDropOn4 ? 4 : 1);
    });
    std::string numbers;
    for (const PageRecord& page : model.Pages()) numbers += page.Context.substr(8) + " ";
    EXPECT_EQ(numbers, std::string(order) + " ");
    EXPECT_EQ(model.CurrentPage(), current_after);
    EXPECT_EQ(model.Page(current_after), moved);
  }
}

TEST_F(PageOpsTest, ABookMovedAboveItsParentIsRepaired) {
  MakePages(model, "T B1 B2 T");
  model.SetCurrentPage(3);
  Run([&] { return commands.MovePageUp(); });
  EXPECT_EQ(model.Page(2).Attribute, B1);
  EXPECT_EQ(prompter.Texts(), std::vector<std::string>{WrongLevelMessage("Page 3")});
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
}

// --- Kind changes ----------------------------------------------------------------------

// {layout, page 2 has text, new kind, decision, what the question says is
// lost (nullptr: no question)}.
TEST_F(PageOpsTest, TheKindChangeDecisions) {
  using A = AttributeChange;
  const char* topic = "トピックの内容はすべて失われます。";
  const char* macro = "ヘルプマクロの内容はすべて失われます。";
  const char* include = "インクルード属性は解除されます。";
  const char* book = "ブック属性は解除されます。";
  // clang-format off
  const std::tuple<std::string, bool, PageAttribute, A, const char*> cases[] = {
      {"T T", true, kTopicPage, A::kNothing, nullptr}, {"T B2", false, B1, A::kLevels, nullptr},
      {"T T", true, kPopupPage, A::kImage, nullptr}, {"T P", true, kTopicPage, A::kImage, nullptr},
      {"T T", true, kContentPage, A::kImage, topic}, 
      {"T T", true, B1, A::kRebuild, topic}, {"T T", false, kContentPage, A::kImage, nullptr},
      {"T P", false, B1, A::kRebuild, nullptr}, {"T C", true, kTopicPage, A::kImage, macro},
      {"T C", true, B1, A::kRebuild, macro}, {"T C", false, kIncludePage, A::kImage, nullptr},
      {"T I", false, kTopicPage, A::kImage, include}, 
      {"T B1", false, kPopupPage, A::kRebuild, book},
      {"T B1", false, kIncludePage, A::kRebuild, book}};
  // clang-format on
  for (const auto& [layout, text, to, result, loss] : cases) {
    SCOPED_TRACE(layout + " -> " + std::to_string(to));
    MakePages(model, layout);
    model.SetCurrentPage(2);
    if (text) model.MutablePage(2).Topic = "x";
    prompter.shown.clear();
    EXPECT_EQ(commands.ConfirmAttributeChange(to), result);
    ASSERT_EQ(prompter.shown.size(), loss ? 1u : 0u);
    EXPECT_TRUE(!loss || Says(prompter, 0, loss));
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

  EXPECT_TRUE(Run([&] { return commands.ChangePageAttribute(kContentPage); }).topic_cleared);
  EXPECT_EQ(model.Page(2).Topic + model.Page(2).Keyword, "");
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

TEST_F(PageOpsTest, BookLevelsAreClampedToTheBookBefore) {
  MakePages(model, "T B1 T T");
  model.SetCurrentPage(3);
  Run([&] { return commands.ChangePageAttribute(B3); });
  EXPECT_EQ(model.Page(3).Attribute, B2);  // level 3 can not follow level 1
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
    const int op = pick(0, 9);
    const bool own = pick(0, 1) == 0;  // a page of this project or of another
    if (op == 6 && own) commands.CopyPage();
    if (op == 6 && !own) clipboard.text = PageClipboardText(other.Page(pick(1, other.PageCount())));
    const int drop_on = pick(1, model.PageCount());
    const PageAttribute to = kinds[pick(0, 6)];
    Run([&] {
      return op <= 1   ? commands.NewPageCommand()
             : op == 2 ? commands.DeletePage()
             : op == 3 ? commands.MovePageUp()
             : op == 4 ? commands.MovePageDown()
             : op == 5 ? commands.CutPage()
             : op == 6 ? commands.PastePage()
             : op == 7 ? commands.DropPage(drop_on)
                       : commands.ChangePageAttribute(to);
    });
    ExpectSoundTable(model);
  }
  EXPECT_GT(model.PageCount(), 5);
}

}  // namespace
}  // namespace qy
