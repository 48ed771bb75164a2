#include "markup/find_page_link.h"

#include <gtest/gtest.h>

#include "core/memory_editor.h"
#include "support/fakes.h"
#include "support/page_ops_fixture.h"

namespace qy {
namespace {

class PageLinkTest : public ::testing::Test {
 protected:
  PageLinkTest() : navigator(project, editor) {
    testing::MakePages(project, "T T T B1 P");
    project.MutablePage(1).Title = "beta";
    project.MutablePage(2).Title = "Alpha";
    project.MutablePage(3).Title = "alpha";
    project.MutablePage(4).Title = "Gamma";
    project.MutablePage(5).Context = "aaa";
  }
  ProjectModel project;
  MemoryEditor editor;
  EditorPageNavigator navigator;
  testing::FakePrompter prompter;
};

TEST_F(PageLinkTest, ContextMustMatchWithTheSameCase) {
  PageLinkDialog dialog(project, "hlp000003");
  EXPECT_EQ(dialog.list(),
            (std::vector<std::string>{"aaa", "HLP000001", "HLP000002", "HLP000003", "HLP000004"}));
  EXPECT_FALSE(dialog.Jump(navigator, editor, prompter));
  EXPECT_EQ(project.CurrentPage(), 1);

  dialog.text = "HLP000003";
  ASSERT_TRUE(dialog.Jump(navigator, editor, prompter));
  EXPECT_EQ(project.CurrentPage(), 3);
}

TEST_F(PageLinkTest, TitlesAreListedAndTheFirstExactOneWins) {
  PageLinkDialog dialog(project, "ALPHA");
  dialog.SetField(PageLinkField::kTitle);
  EXPECT_EQ(dialog.FindPage(), 0);
  dialog.text = "alpha";
  EXPECT_EQ(dialog.FindPage(), 3);
  dialog.text = "Gamma";  // a book page is a page like any other here
  EXPECT_EQ(dialog.FindPage(), 4);
}

}  // namespace
}  // namespace qy
