#include "project/page_clipboard.h"

#include <gtest/gtest.h>

#include <string>

#include "core/codec.h"
#include "project/page_commands.h"
#include "support/page_ops_fixture.h"

namespace qy {
namespace {

using testing::ContextOrder;
using testing::MakePages;
using testing::MakeTopicPages;
using testing::PageOpsTest;

PageRecord SamplePage() {
  PageRecord p;
  p.Context = "ABOUT";
  p.Title = Sjis("バージョン情報");
  p.Keyword = "k1;k2";
  p.AKeyword = "a";
  p.BKeyword = "b";
  p.Window = "main";
  p.Macro = "CB()";
  p.Topic = "line 1\r\n\r\nline 3\r\n";
  p.ContextID = 120;
  p.Attribute = kPopupPage;
  return p;
}

// --- The text itself ------------------------------------------------------------

TEST(PageClipboardText, LaysOutTheCurrentForm) {
  EXPECT_EQ(PageClipboardText(SamplePage()),
            "[Quillory Page v1.60]\r\nABOUT\r\n" + Sjis("バージョン情報") +
                "\r\nk1;k2\r\nTrue\r\n0\r\na\r\nb\r\n120\r\nmain\r\nCB()\r\n\r\n"
                "line 1\r\n\r\nline 3\r\n\r\n");
  PageRecord book;
  book.Context = "B";
  book.Title = "Chapter";
  book.ContextID = -5;
  book.Attribute = 14;
  EXPECT_EQ(
      PageClipboardText(book),
      "[Quillory Page v1.60]\r\nB\r\nChapter\r\n\r\nBook\r\n4\r\n\r\n\r\n-5\r\n\r\n\r\n\r\n\r\n");
}

TEST(PageClipboardText, EveryKindComesBackUnchanged) {
  PageRecord content;
  content.Context = "M";
  content.Title = "Run";
  content.Topic = "ExecFile(x)";
  content.ContextID = 3;
  content.Attribute = kContentPage;
  PageRecord include = content;
  include.Topic.clear();
  include.Title = "other.cnt";
  include.Attribute = kIncludePage;
  PageRecord book = include;
  book.Title = "Book";
  book.Attribute = 19;
  PageRecord odd_lines = SamplePage();
  odd_lines.Topic = "a\rb\nc\r\n\r\n";
  for (const PageRecord& page : {SamplePage(), content, include, book, odd_lines}) {
    std::optional<ClipboardPage> back = ParsePageClipboard(PageClipboardText(page));
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->id_valid);
    EXPECT_EQ(back->page, page) << page.Context << " " << page.Attribute;
  }
}

TEST(PageClipboardText, ReadsTheOlderForm) {
  const std::string old_text =
      "[Quillory Page]\r\nOLD\r\nOld page\r\nkw\r\nFalse\r\n0\r\na\r\nb\r\n7\r\n\r\n"
      "first\r\nsecond\r\n";
  std::optional<ClipboardPage> back = ParsePageClipboard(old_text);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->page.Context, "OLD");
  EXPECT_EQ(back->page.ContextID, 7);
  EXPECT_EQ(back->page.Window, "");
  EXPECT_EQ(back->page.Macro, "");
  EXPECT_EQ(back->page.Topic, "first\r\nsecond");
  EXPECT_EQ(back->page.Attribute, kTopicPage);
}

TEST(PageClipboardText, RefusesOtherTexts) {
  EXPECT_FALSE(ParsePageClipboard(""));
  EXPECT_FALSE(ParsePageClipboard("hello\r\nworld"));
  EXPECT_FALSE(ParsePageClipboard(
      " [Quillory Page v1.60]\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n"));
  // Ten lines are too few.
  EXPECT_FALSE(
      ParsePageClipboard("[Quillory Page v1.60]\r\nA\r\nB\r\n\r\nFalse\r\n0\r\n\r\n\r\n1\r\n\r\n"));
  EXPECT_TRUE(ParsePageClipboard(
      "[Quillory Page v1.60]\r\nA\r\nB\r\n\r\nFalse\r\n0\r\n\r\n\r\n1\r\n\r\nM"));
}

TEST(PageClipboardText, KindWordsAndLevels) {
  auto kind = [](const std::string& word, const std::string& level) {
    std::optional<ClipboardPage> p =
        ParsePageClipboard("[Quillory Page v1.60]\r\nA\r\nT\r\nkw\r\n" + word + "\r\n" + level +
                           "\r\n\r\n\r\n1\r\nmain\r\n\r\n\r\nbody");
    return p ? p->page.Attribute : -1;
  };
  EXPECT_EQ(kind("False", "0"), kTopicPage);
  EXPECT_EQ(kind("True", "0"), kPopupPage);
  EXPECT_EQ(kind("Macro", "0"), kContentPage);
  EXPECT_EQ(kind("Include", "0"), kIncludePage);
  EXPECT_EQ(kind("Book", "2"), 12);
  EXPECT_EQ(kind("whatever", "0"), kTopicPage);
  EXPECT_EQ(kind("False", "3"), 13);
  EXPECT_EQ(kind("Book", "12"), 19);
  EXPECT_EQ(kind("Book", "-1"), kTopicPage);

  // Fields a book has no use for stay empty.
  std::optional<ClipboardPage> book = ParsePageClipboard(
      "[Quillory Page v1.60]\r\nA\r\nT\r\nkw\r\nBook\r\n1\r\n\r\n\r\n1\r\nmain\r\n\r\n\r\nbody");
  ASSERT_TRUE(book);
  EXPECT_EQ(book->page.Keyword, "");
  EXPECT_EQ(book->page.Window, "");
  EXPECT_EQ(book->page.Topic, "");
}

// --- Paste ------------------------------------------------------------------------

TEST_F(PageOpsTest, PastingIntoTheSameProjectGivesANewContextAndID) {
  MakePages(model, "T T T");
  model.MutablePage(1).Topic = "hello";
  model.MutablePage(1).Keyword = "kw";
  ASSERT_TRUE(commands.CopyPage());
  model.SetCurrentPage(3);
  PageCommandResult r = Run([&] { return commands.PastePage(); });
  EXPECT_EQ(r.tree_change, TreeChange::kInsertNode);
  EXPECT_TRUE(r.show_page);
  EXPECT_EQ(model.CurrentPage(), 4);
  PageRecord expected = model.Page(1);
  expected.Context = "HLP000004";
  expected.ContextID = 4;
  EXPECT_EQ(model.Page(4), expected);
  EXPECT_TRUE(model.Modified());
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(PageOpsTest, PastingIntoAnotherProjectKeepsContextAndID) {
  clipboard.text = PageClipboardText(SamplePage());
  MakePages(model, "T B1 T");
  model.SetCurrentPage(2);
  PageCommandResult r = Run([&] { return commands.PastePage(); });
  EXPECT_EQ(r.parent_page, 2);
  EXPECT_EQ(model.Page(3), SamplePage());
}

TEST_F(PageOpsTest, PasteConflictsAreResolvedOneByOne) {
  MakePages(model, "T T T");
  PageRecord page = SamplePage();
  page.Context = "hlp000002";  // taken, in another letter case
  page.ContextID = 99;
  clipboard.text = PageClipboardText(page);
  Run([&] { return commands.PastePage(); });
  EXPECT_EQ(model.Page(2).Context, "HLP000004");
  EXPECT_EQ(model.Page(2).ContextID, 99);

  page.Context = "FREE";
  page.ContextID = 3;
  clipboard.text = PageClipboardText(page);
  Run([&] { return commands.PastePage(); });
  EXPECT_EQ(model.Page(3).Context, "FREE");
  EXPECT_EQ(model.Page(3).ContextID, 4);

  // No context at all, or no number, counts as taken.
  clipboard.text =
      "[Quillory Page v1.60]\r\n\r\nNo name\r\n\r\nFalse\r\n0\r\n\r\n\r\nabc\r\n\r\n\r\n\r\n";
  Run([&] { return commands.PastePage(); });
  EXPECT_EQ(model.Page(4).Context, "HLP000005");
  EXPECT_EQ(model.Page(4).ContextID, 5);
}

TEST_F(PageOpsTest, PasteNeverGivesADuplicateWhenTheCandidatesAreTaken) {
  // The pages hold exactly the candidates 2..count+1 of the second search.
  MakeTopicPages(model, 4);
  model.RemovePage(1);
  ASSERT_TRUE(commands.CopyPage());
  Run([&] { return commands.PastePage(); });
  EXPECT_EQ(ContextOrder(model), "HLP000002 HLP000005 HLP000003 HLP000004");
  EXPECT_EQ(model.Page(2).ContextID, 5);
}

TEST_F(PageOpsTest, PastingTheOlderFormWithABookRebuildsTheTree) {
  MakePages(model, "T T T");
  clipboard.text = "[Quillory Page]\r\nBK\r\nChapter\r\n\r\nBook\r\n1\r\n\r\n\r\n40\r\n\r\nx\r\n";
  PageCommandResult r = Run([&] { return commands.PastePage(); });
  EXPECT_EQ(r.tree_change, TreeChange::kRebuild);
  EXPECT_EQ(model.Page(2).Attribute, 11);
  EXPECT_EQ(r.tree.ChildrenOf(2), (std::vector<int>{3, 4}));

  clipboard.text = "just some text\r\n";
  EXPECT_FALSE(commands.PastePage().changed);
  EXPECT_TRUE(prompter.shown.empty());
}

}  // namespace
}  // namespace qy
