// The page tree: the nesting that book pages give the ordered page table.
//
// The page order is the pre-order of the tree. A book of level n hangs under
// the nearest book of level n-1 before it (the root for level 1) and becomes
// the parent of the pages that follow it; every other page hangs under the
// nearest book before it. Building the tree also repairs book levels that jump
// more than one level deeper than the page before them.
#pragma once

#include <string>
#include <vector>

#include "core/prompter.h"
#include "project/page_record.h"
#include "project/project_model.h"

namespace qy {

// Image indexes of the tree's image list; an open book has its own image.
inline constexpr int kOpenBookImage = 0;
inline constexpr int kBookImage = 1;
inline constexpr int kTopicImage = 2;
inline constexpr int kPopupImage = 3;
inline constexpr int kContentImage = 4;
inline constexpr int kIncludeImage = 5;

// Image index of a page kind in the tree's image list.
int PageImage(PageAttribute attribute);

// A built tree. Pages are numbered from 1 as in the model; 0 is the root.
struct PageTree {
  // Pages 1..count are in the tree. The first page with an empty context ends
  // the list, so count can be less than the model's page count when the table
  // holds a page without a context.
  int count = 0;
  // parent[k] is the parent page of page k+1 (0 = the root).
  std::vector<int> parent;
  // depth[k] is the number of books above page k+1 (0 for a top-level page).
  std::vector<int> depth;
  // children[p] lists the pages directly under page p in page order;
  // children[0] holds the top-level pages.
  std::vector<std::vector<int>> children;

  int ParentOf(int page) const { return parent[static_cast<std::size_t>(page - 1)]; }
  int DepthOf(int page) const { return depth[static_cast<std::size_t>(page - 1)]; }
  const std::vector<int>& ChildrenOf(int page) const {
    return children[static_cast<std::size_t>(page)];
  }
};

// Builds the tree from the model's page order without changing the model.
// Book levels are taken as they are except that a level above 9 counts as 9;
// a level that is too deep still gets a place (under the deepest open book) so
// that no page falls out. Use it to show a tree that is known to be clean.
PageTree BuildPageTree(const ProjectModel& model);

// Depth of every page 1..count (index k = page k+1), as in PageTree::depth.
std::vector<int> PageDepths(const ProjectModel& model);

// What a rebuild changed in the model.
struct TreeRepair {
  // Pages whose book level was lowered, in page order, each once.
  std::vector<int> lowered_pages;
  // Pages whose book level above 9 was brought back to 9.
  std::vector<int> clamped_pages;
  bool Changed() const { return !lowered_pages.empty() || !clamped_pages.empty(); }
};

// Rebuilds the page tree and repairs wrong book levels in the model.
//
// A book more than one level deeper than the level before it is lowered to
// the deepest allowed level. Each such page is announced once with an
// information message, however many levels it has to come up: a page that was
// already reported during this rebuild is lowered silently. Book levels above 9
// (only a hand-edited project file has them) are clamped to 9 first. When
// anything was repaired the project is marked modified, because it no longer
// matches its file.
class TreeBuilder {
 public:
  explicit TreeBuilder(Prompter& prompter) : prompter_(prompter) {}

  PageTree Rebuild(ProjectModel& model);
  // Repairs of the last Rebuild.
  const TreeRepair& LastRepair() const { return repair_; }

 private:
  void ReportWrongLevel(const ProjectModel& model, int page);

  Prompter& prompter_;
  TreeRepair repair_;
  // The page announced by the latest repair step; a repeated step on the same
  // page stays silent. Forgotten once the tree is clean.
  int reported_page_ = 0;
};

// Convenience for a one-off rebuild.
PageTree RebuildTree(ProjectModel& model, Prompter& prompter);

// The message for a book whose level is too deep, with the page's title.
std::string WrongLevelMessage(const std::string& title);

// The deepest book level page `page` may take: one more than the level of the
// nearest book before it (1 when there is none). Used by the page-properties
// dialog to offer only levels the tree can hold.
int MaxBookLevelAt(const ProjectModel& model, int page);

}  // namespace qy
