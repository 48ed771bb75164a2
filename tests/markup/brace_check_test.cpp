#include "markup/brace_check.h"

#include <gtest/gtest.h>

#include <string>

#include "core/codec.h"
#include "markup/brace_count.h"
#include "support/fakes.h"
#include "support/page_ops_fixture.h"

namespace qy {
namespace {

using qy::testing::FakeProgress;
using qy::testing::FakePrompter;
using qy::testing::MakePages;

// The byte rules themselves are brace_count_search_test's.
TEST(BraceCheck, ListsUnbalancedPagesOfEveryKind) {
  EXPECT_TRUE(CountBraces("{" + Sjis("＋") + "}").Balanced());
  ProjectModel model;
  MakePages(model, "T P C T B1");
  model.MutablePage(1).Topic = "{\\b ok}";
  model.MutablePage(2).Topic = "{\\b a}{";
  model.MutablePage(3).Topic = "ExecFile(x)}";
  model.MutablePage(4).Topic = "\\{ only literals \\}";
  FakeProgress progress;
  const std::vector<BraceCheckRow> rows = CheckBraces(model, &progress);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].page, 2);
  EXPECT_EQ(rows[0].context, "HLP000002");
  EXPECT_EQ(rows[0].title, "Page 2");
  EXPECT_EQ(BraceCountText(rows[0].open), Sjis("2個"));
  EXPECT_EQ(BraceCountText(rows[0].close), Sjis("1個"));
  EXPECT_EQ(rows[1].page, 3);
  EXPECT_EQ(progress.position, 5);
  EXPECT_EQ(progress.pumps, 5);
}

TEST(BraceCheck, WindowReportsAndRechecksWhenStale) {
  ProjectModel model;
  MakePages(model, "T T");
  FakeProgress progress;
  FakePrompter prompter;
  BraceCheckWindow window(model, progress);
  window.CheckByButton(prompter);
  EXPECT_TRUE(window.rows().empty());
  EXPECT_FALSE(progress.visible);
  EXPECT_EQ(prompter.Texts(),
            std::vector<std::string>{"\r\n" + Sjis("不適合なページは見つかりませんでした。")});

  model.MutablePage(2).Topic = "{";
  window.OnTopicEdited();
  window.OnActivated();  // an empty list is not checked again
  EXPECT_TRUE(window.rows().empty());
  window.CheckByButton(prompter);
  ASSERT_EQ(window.rows().size(), 1u);
  EXPECT_EQ(prompter.shown[1].text, "\r\n1" + Sjis("ページの不適合ページがありました。"));

  model.MutablePage(1).Topic = "}}";
  window.OnActivated();  // not stale: nothing happens
  EXPECT_EQ(window.rows().size(), 1u);
  window.OnTopicEdited();
  window.OnActivated();
  EXPECT_EQ(window.rows().size(), 2u);
  EXPECT_EQ(prompter.shown.size(), 2u);  // the silent re-check shows nothing
  EXPECT_EQ(PageOfBraceRow(model, "HLP000002"), 2);
  EXPECT_EQ(PageOfBraceRow(model, "HLP000099"), 0);
}

}  // namespace
}  // namespace qy
