// A project with page commands wired to scripted fakes, and a check that an
// incremental tree update leads to the same tree as a fresh build.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/settings.h"
#include "project/page_commands.h"
#include "project/page_tree.h"
#include "project/project_model.h"
#include "support/fakes.h"

namespace qy::testing {

// Pages from a layout such as "T B1 P B2 C I": T Topic, P Popup, C Content,
// I Include, Bn a book of level n. Page n gets context HLP000nnn, ID n and the
// title "Page n". Page 1 becomes current.
inline void MakePages(ProjectModel& model, const std::string& layout) {
  model.ClearPages();
  std::istringstream in(layout);
  std::string token;
  for (int n = 1; in >> token; ++n) {
    PageRecord page;
    page.Context = NumberedContext(n);
    page.Title = "Page " + std::to_string(n);
    page.ContextID = n;
    const std::string kinds = "TPCI";
    page.Attribute = token[0] == 'B' ? BookAttribute(std::stoi(token.substr(1)))
                                     : static_cast<PageAttribute>(kinds.find(token[0]));
    model.AppendPage(std::move(page));
  }
  model.SetCurrentPage(1);
}

// `count` Topic pages HLP000001.. with IDs 1...
inline void MakeTopicPages(ProjectModel& model, int count) {
  model.ClearPages();
  for (int n = 1; n <= count; ++n) {
    PageRecord page;
    page.Context = page.Title = NumberedContext(n);
    page.ContextID = n;
    model.AppendPage(std::move(page));
  }
  model.SetCurrentPage(1);
}

inline std::string ContextOrder(const ProjectModel& model) {
  std::string out;
  for (const PageRecord& page : model.Pages()) out += (out.empty() ? "" : " ") + page.Context;
  return out;
}

// A tree as the window holds it: in pre-order, each node's context and its
// parent's context ("" for the root).
using TreeShape = std::vector<std::pair<std::string, std::string>>;

inline TreeShape ShapeOf(const ProjectModel& model, const PageTree& tree) {
  TreeShape shape;
  for (int page = 1; page <= tree.count; ++page) {
    const int parent = tree.ParentOf(page);
    shape.emplace_back(model.Page(page).Context, parent == 0 ? "" : model.Page(parent).Context);
  }
  return shape;
}

// Applies the tree change of `result` to `before` (the window's tree before
// the command) as the window would, and checks the outcome, and the tree
// handed back, against a fresh build of the new page order.
inline void ExpectTreeFollows(TreeShape shape, const ProjectModel& model,
                              const PageCommandResult& result) {
  const PageTree built = BuildPageTree(model);
  ASSERT_EQ(built.count, model.PageCount()) << "a page fell out of the tree";
  const std::string parent = result.parent_page == 0 ? "" : model.Page(result.parent_page).Context;
  const TreeChange change = result.tree_change;
  if (change == TreeChange::kRemoveNode || change == TreeChange::kMoveNode) {
    const int old_page = change == TreeChange::kMoveNode ? result.from_page : result.node_page;
    ASSERT_TRUE(old_page >= 1 && old_page <= static_cast<int>(shape.size()));
    const std::string gone = shape[static_cast<std::size_t>(old_page - 1)].first;
    for (const auto& node : shape) EXPECT_NE(node.second, gone) << "a node left its children";
    shape.erase(shape.begin() + (old_page - 1));
  }
  if (change == TreeChange::kInsertNode || change == TreeChange::kMoveNode) {
    const int page = result.node_page;
    ASSERT_TRUE(page >= 1 && page <= static_cast<int>(shape.size()) + 1);
    shape.insert(shape.begin() + (page - 1), {model.Page(page).Context, parent});
    int index = 0;
    for (int k = 0; k < page - 1; ++k) index += shape[static_cast<std::size_t>(k)].second == parent;
    EXPECT_EQ(index, result.child_index);
  }
  if (change == TreeChange::kRebuild) shape = ShapeOf(model, result.tree);
  EXPECT_EQ(shape, ShapeOf(model, built));
  if (result.changed) {
    EXPECT_EQ(result.tree.children, built.children);
  }
}

class PageOpsTest : public ::testing::Test {
 protected:
  PageOpsTest() { model.SetProjectFileName(dir.File("help.qyp")); }

  // Runs a command and checks the tree update it asks for.
  template <typename Command>
  PageCommandResult Run(Command command) {
    TreeShape before = ShapeOf(model, BuildPageTree(model));
    PageCommandResult result = command();
    ExpectTreeFollows(std::move(before), model, result);
    return result;
  }

  TempDir dir;
  ProjectModel model;
  FakePrompter prompter;
  FakeClipboard clipboard;
  Settings settings{dir.File("quillory.ini")};
  PageCommands commands{model, prompter, clipboard, settings};
};

}  // namespace qy::testing
