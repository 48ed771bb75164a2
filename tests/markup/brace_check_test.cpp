#include "markup/brace_check.h"

#include <gtest/gtest.h>

#include <string>

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
  ProjectModel model;
  MakePages(model, "T P C T B1");
  model.MutablePage(1).Topic = "{\\b ok}";
  model.MutablePage(2).Topic = "{\\b a}{";
  model.MutablePage(3).Topic = "ExecFile(x)}";
  model.MutablePage(4).Topic = "\\{ only literals \\}";
  FakeProgress progress;
  const std::vector<BraceCheckRow> rows = CheckBraces(model, &progress);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].open, 2);
  EXPECT_EQ(rows[0].close, 1);
  EXPECT_EQ(rows[1].page, 3);
}

TEST(BraceCheck, WindowReportsAndRechecksWhenStale) {
  ProjectModel model;
  MakePages(model, "T T");
  FakeProgress progress;
  FakePrompter prompter;
  BraceCheckWindow window(model, progress);
  window.CheckByButton(prompter);
  EXPECT_TRUE(window.rows().empty());

  model.MutablePage(2).Topic = "{";
  window.OnTopicEdited();
  window.OnActivated();  // an empty list is not checked again
  EXPECT_TRUE(window.rows().empty());
  window.CheckByButton(prompter);
  ASSERT_EQ(window.rows().size(), 1u);

  model.MutablePage(1).Topic = "}}";
  window.OnActivated();  // not stale: nothing happens
  EXPECT_EQ(window.rows().size(), 1u);
  window.OnTopicEdited();
  window.OnActivated();
  EXPECT_EQ(window.rows().size(), 2u);
  EXPECT_EQ(prompter.shown.size(), 2u);  // the silent re-check shows nothing
}

}  // namespace
}  // namespace qy
