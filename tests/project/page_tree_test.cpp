#include "project/page_tree.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/codec.h"
#include "support/fakes.h"

namespace qy {
namespace {

using qy::testing::FakePrompter;

constexpr int B1 = 11, B2 = 12, B3 = 13, B4 = 14, B9 = 19;

// One page per attribute, titled P<number>.
void Fill(ProjectModel& model, const std::vector<int>& attributes) {
  model.ClearPages();
  int n = 0;
  for (int a : attributes) {
    ++n;
    PageRecord p;
    p.Context = NumberedContext(n);
    p.Title = "P" + std::to_string(n);
    p.ContextID = n;
    p.Attribute = a;
    ASSERT_TRUE(model.AppendPage(p));
  }
}

std::vector<int> Attributes(const ProjectModel& model) {
  std::vector<int> out;
  for (const PageRecord& p : model.Pages()) out.push_back(p.Attribute);
  return out;
}

TEST(PageTreeBuild, BooksNestTheirFollowers) {
  ProjectModel model;
  //             1  2   3  4   5  6   7   8  9   10
  Fill(model, {0, B1, 1, B2, 2, B3, B2, 3, B1, 0});
  FakePrompter prompter;
  PageTree tree = RebuildTree(model, prompter);
  EXPECT_FALSE(model.Modified());
  EXPECT_EQ(tree.parent, (std::vector<int>{0, 0, 2, 2, 4, 4, 2, 7, 0, 9}));
  EXPECT_EQ(tree.depth, (std::vector<int>{0, 0, 1, 1, 2, 2, 1, 2, 0, 1}));
  EXPECT_EQ(tree.ChildrenOf(2), (std::vector<int>{3, 4, 7}));
  EXPECT_EQ(PageDepths(model), tree.depth);
}

// Kinds outside the known set are leaves; an empty context ends the list.
TEST(PageTreeBuild, OddKindsAndEmptyContexts) {
  ProjectModel model;
  Fill(model, {B1, 10, 5, -1, 0, 0});
  model.MutablePage(6).Context.clear();
  FakePrompter prompter;
  PageTree tree = RebuildTree(model, prompter);
  EXPECT_EQ(tree.parent, (std::vector<int>{0, 1, 1, 1, 1}));
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_EQ(Attributes(model), (std::vector<int>{B1, 10, 5, -1, 0, 0}));
  model.ClearPages();
  EXPECT_EQ(RebuildTree(model, prompter).children.size(), 1u);
}

// Levels above nine are clamped, not dropped, and then lowered like any
// other book that is too deep; the builder reports a page again only when
// it goes wrong again after a clean tree.
TEST(PageTreeRepair, ClampsLowersAndReportsOnce) {
  ProjectModel model;
  Fill(model, {B1, B2, B3, B4, 15, 16, 17, 18, B9, 25, 0, 99});
  FakePrompter prompter;
  TreeBuilder builder(prompter);
  PageTree tree = builder.Rebuild(model);
  EXPECT_EQ(model.Page(10).Attribute, B9);
  EXPECT_EQ(tree.ParentOf(10), 8);  // a level-9 book hangs under level 8
  EXPECT_EQ(tree.ParentOf(11), 10);
  EXPECT_EQ(builder.LastRepair().clamped_pages, (std::vector<int>{10, 12}));
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_TRUE(model.Modified());

  Fill(model, {200, 0, B4});
  builder.Rebuild(model);
  EXPECT_EQ(Attributes(model), (std::vector<int>{B1, 0, B2}));
  EXPECT_EQ(prompter.Texts(),
            (std::vector<std::string>{WrongLevelMessage("P1"), WrongLevelMessage("P3")}));
  EXPECT_EQ(builder.LastRepair().lowered_pages, (std::vector<int>{1, 3}));
  model.MutablePage(3).Attribute = B3;
  builder.Rebuild(model);
  EXPECT_EQ(prompter.Texts().back(), WrongLevelMessage("P3"));
  EXPECT_EQ(prompter.Texts().size(), 3u);
}

TEST(PageTreeBuild, ReadOnlyBuildPlacesPagesWhereTheRepairWould) {
  ProjectModel model;
  Fill(model, {B1, B4, 0, 30, 0});
  const std::vector<int> before = Attributes(model);
  PageTree shown = BuildPageTree(model);
  EXPECT_EQ(Attributes(model), before);
  EXPECT_FALSE(model.Modified());
  FakePrompter prompter;
  PageTree repaired = RebuildTree(model, prompter);
  EXPECT_EQ(shown.parent, repaired.parent);
  EXPECT_EQ(shown.children, repaired.children);
}

// The repair as a sequence of whole rebuilds: find the first wrong book,
// report it unless it was the page reported last, lower it one level, start
// again.
struct Reference {
  std::vector<int> attributes;
  std::vector<int> reported;
};

Reference RepairByRestarting(std::vector<int> attributes) {
  Reference r;
  int remembered = 0;
  for (;;) {
    int level = 0;
    int wrong = 0;
    for (std::size_t i = 0; i < attributes.size() && wrong == 0; ++i) {
      if (attributes[i] <= 10) continue;
      const int n = attributes[i] - 10;
      if (n > level + 1)
        wrong = static_cast<int>(i) + 1;
      else
        level = n;
    }
    if (wrong == 0) break;
    if (wrong != remembered) r.reported.push_back(wrong);
    remembered = wrong;
    attributes[static_cast<std::size_t>(wrong - 1)] -= 1;
  }
  r.attributes = attributes;
  return r;
}

TEST(PageTreeRepair, AgreesWithRepeatedWholeRebuilds) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> kind(0, 12);
  std::uniform_int_distribution<int> length(1, 25);
  for (int round = 0; round < 300; ++round) {
    std::vector<int> attributes;
    const int n = length(random);
    for (int i = 0; i < n; ++i) {
      const int k = kind(random);
      attributes.push_back(k < 4 ? k : 7 + k);  // 0..3 or books 11..19
    }
    const Reference expected = RepairByRestarting(attributes);

    ProjectModel model;
    Fill(model, attributes);
    FakePrompter prompter;
    RebuildTree(model, prompter);
    std::vector<std::string> expected_texts;
    for (int page : expected.reported)
      expected_texts.push_back(WrongLevelMessage("P" + std::to_string(page)));
    ASSERT_EQ(Attributes(model), expected.attributes) << "round " << round;
    ASSERT_EQ(prompter.Texts(), expected_texts) << "round " << round;
  }
}

TEST(PageTreeLevels, MaxBookLevelFollowsTheNearestBookBefore) {
  ProjectModel model;
  Fill(model, {0, B2, 0, B9, 0});
  std::vector<int> levels;  // page 6 is one appended at the end
  for (int page = 1; page <= 6; ++page) levels.push_back(MaxBookLevelAt(model, page));
  EXPECT_EQ(levels, (std::vector<int>{1, 1, 3, 3, 9, 9}));
}

}  // namespace
}  // namespace qy
