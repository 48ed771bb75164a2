#include "project/page_clipboard.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

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
  content.Topic = "ExecFile(x)";
  content.Attribute = kContentPage;
  PageRecord include = content, book = content, odd_lines = SamplePage();
  include.Topic = book.Topic = "";
  include.Attribute = kIncludePage;
  book.Attribute = 19;
  odd_lines.Topic = "a\rb\nc\r\n\r\n";
  for (const PageRecord& page : {SamplePage(), content, include, book, odd_lines}) {
    std::optional<ClipboardPage> back = ParsePageClipboard(PageClipboardText(page));
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->id_valid);
    EXPECT_EQ(back->page, page) << page.Attribute;
  }
}

// Other texts, texts with too few lines and unknown kind words; the level
// line of a book, clamped.
TEST(PageClipboardText, RefusesOtherTextsReadsKindsAndTheOlderForm) {
  const std::string ten = "[Quillory Page v1.60]\r\nA\r\nB\r\n\r\nFalse\r\n0\r\n\r\n\r\n1\r\n\r\n";
  for (const std::string& text :
       {std::string(), std::string("hello\r\nworld"), " " + ten + "M", ten}) {
    EXPECT_FALSE(ParsePageClipboard(text)) << text;
  }
  EXPECT_TRUE(ParsePageClipboard(ten + "M"));
  // The older form has no Window and Macro lines.
  const std::optional<ClipboardPage> old = ParsePageClipboard(
      "[Quillory Page]\r\nO\r\nT\r\nkw\r\nFalse\r\n0\r\na\r\nb\r\n7\r\n\r\nfirst\r\nsecond\r\n");
  EXPECT_EQ(old ? old->page.Topic : "", "first\r\nsecond");
  auto kind = [](const std::string& word, const std::string& level) {
    std::optional<ClipboardPage> p =
        ParsePageClipboard("[Quillory Page v1.60]\r\nA\r\nT\r\nkw\r\n" + word + "\r\n" + level +
                           "\r\n\r\n\r\n1\r\nmain\r\n\r\n\r\nbody");
    return p ? p->page.Attribute : -1;
  };
  const std::tuple<const char*, const char*, PageAttribute> kinds[] = {
      {"False", "0", kTopicPage},
      {"True", "0", kPopupPage},
      {"Macro", "0", kContentPage},
      {"Include", "0", kIncludePage},
      {"Book", "2", 12},
      {"whatever", "0", kTopicPage},
      {"False", "3", 13},
      {"Book", "12", 19},
      {"Book", "-1", kTopicPage}};
  for (const auto& [word, level, attribute] : kinds)
    EXPECT_EQ(kind(word, level), attribute) << word;
  // Fields a book has no use for stay empty.
  std::optional<ClipboardPage> book = ParsePageClipboard(
      "[Quillory Page v1.60]\r\nA\r\nT\r\nkw\r\nBook\r\n1\r\n\r\n\r\n1\r\nmain\r\n\r\n\r\nbody");
  ASSERT_TRUE(book);
  EXPECT_EQ(book->page.Keyword + book->page.Window + book->page.Topic, "");
}

// --- Paste ------------------------------------------------------------------------

// Into the project it came from: a new context and ID; into another: its own,
// under the book it is pasted at.
TEST_F(PageOpsTest, PasteKeepsContextAndIdUnlessTaken) {
  MakePages(model, "T B1 T");
  model.MutablePage(1).Topic = "hello";
  ASSERT_TRUE(commands.CopyPage());
  model.SetCurrentPage(3);
  PageCommandResult r = Run([&] { return commands.PastePage(); });
  PageRecord expected = model.Page(1);
  expected.Context = "HLP000004";
  expected.ContextID = 4;
  EXPECT_EQ(model.Page(4), expected);

  clipboard.text = PageClipboardText(SamplePage());
  model.SetCurrentPage(2);
  r = Run([&] { return commands.PastePage(); });
  EXPECT_EQ(r.parent_page, 2);
  EXPECT_EQ(model.Page(3), SamplePage());
  EXPECT_TRUE(prompter.shown.empty());
}

// A context taken in another letter case, an ID taken, no context or no
// number: each replaced on its own.
TEST_F(PageOpsTest, PasteConflictsAreResolvedOneByOne) {
  MakePages(model, "T T T");
  const std::tuple<std::string, int, const char*, int> cases[] = {
      {"hlp000002", 99, "HLP000004", 99}, {"FREE", 3, "FREE", 4}, {"", 0, "HLP000005", 5}};
  for (const auto& [context, id, pasted_context, pasted_id] : cases) {
    PageRecord page = SamplePage();
    page.Context = context;
    page.ContextID = id;
    clipboard.text = PageClipboardText(page);
    if (context.empty()) {
      clipboard.text =
          "[Quillory Page v1.60]\r\n\r\nNo name\r\n\r\nFalse\r\n0\r\n\r\n\r\nabc\r\n\r\n\r\n\r\n";
    }
    Run([&] { return commands.PastePage(); });
    EXPECT_EQ(model.Page(model.CurrentPage()).Context, pasted_context);
    EXPECT_EQ(model.Page(model.CurrentPage()).ContextID, pasted_id);
  }
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

TEST_F(PageOpsTest, PastingABookRebuildsTheTreeAndOtherTextsDoNothing) {
  MakePages(model, "T T T");
  clipboard.text = "[Quillory Page]\r\nBK\r\nChapter\r\n\r\nBook\r\n1\r\n\r\n\r\n40\r\n\r\nx\r\n";
  PageCommandResult r = Run([&] { return commands.PastePage(); });
  EXPECT_EQ(r.tree_change, TreeChange::kRebuild);
  EXPECT_EQ(model.Page(2).Attribute, 11);
  clipboard.text = "just some text\r\n";
  EXPECT_FALSE(commands.PastePage().changed);
  EXPECT_TRUE(prompter.shown.empty());
}

}  // namespace
}  // namespace qy
