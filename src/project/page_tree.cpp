#include "project/page_tree.h"

#include <algorithm>
#include <array>

#include "core/codec.h"

namespace qy {

namespace {

// Pages that take part in the tree: 1..n up to the first empty context.
int TreePageCount(const ProjectModel& model) {
  const int limit = std::min(model.PageCount(), kMaxPages);
  int n = 0;
  while (n < limit && model.Page(n + 1).InUse()) ++n;
  return n;
}

// One pass over the pages. `on_too_deep(page, allowed)` is told about every
// book deeper than `allowed` and the book is then placed at that level, which
// is where the repair puts it.
template <typename OnTooDeep>
PageTree Build(const ProjectModel& model, OnTooDeep on_too_deep) {
  PageTree tree;
  tree.count = TreePageCount(model);
  const auto count = static_cast<std::size_t>(tree.count);
  tree.parent.assign(count, 0);
  tree.depth.assign(count, 0);
  tree.children.assign(count + 1, {});

  std::array<int, kMaxBookLevel + 1> open_book{};  // open_book[n]: latest book of level n
  int level = 0;
  for (int i = 1; i <= tree.count; ++i) {
    const PageAttribute attribute = model.Page(i).Attribute;
    int parent;
    if (IsBook(attribute)) {
      int n = std::min(BookLevel(attribute), kMaxBookLevel);
      if (n > level + 1) {
        on_too_deep(i, level + 1);
        n = level + 1;
      }
      parent = open_book[static_cast<std::size_t>(n - 1)];
      level = n;
      open_book[static_cast<std::size_t>(n)] = i;
    } else {
      parent = open_book[static_cast<std::size_t>(level)];
    }
    const auto k = static_cast<std::size_t>(i - 1);
    tree.parent[k] = parent;
    tree.depth[k] = parent == 0 ? 0 : tree.depth[static_cast<std::size_t>(parent - 1)] + 1;
    tree.children[static_cast<std::size_t>(parent)].push_back(i);
  }
  return tree;
}

}  // namespace

int PageImage(PageAttribute attribute) {
  if (IsBook(attribute)) return kBookImage;
  switch (attribute) {
    case kPopupPage:
      return kPopupImage;
    case kContentPage:
      return kContentImage;
    case kIncludePage:
      return kIncludeImage;
    default:
      return kTopicImage;
  }
}

PageTree BuildPageTree(const ProjectModel& model) {
  return Build(model, [](int, int) {});
}

std::vector<int> PageDepths(const ProjectModel& model) { return BuildPageTree(model).depth; }

std::string WrongLevelMessage(const std::string& title) {
  return Sjis("ページ ") + "\"" + title + "\"" + Sjis(" の階層レベルの設定が間違っています。") +
         "\r\n\r\n" + Sjis("階層レベルを修正します。");
}

void TreeBuilder::ReportWrongLevel(const ProjectModel& model, int page) {
  if (page == reported_page_) return;
  reported_page_ = page;
  prompter_.Information(WrongLevelMessage(model.Page(page).Title));
}

PageTree TreeBuilder::Rebuild(ProjectModel& model) {
  repair_ = {};
  const int count = TreePageCount(model);
  for (int i = 1; i <= count; ++i) {
    PageRecord& page = model.MutablePage(i);
    if (IsBook(page.Attribute) && BookLevel(page.Attribute) > kMaxBookLevel) {
      page.Attribute = BookAttribute(kMaxBookLevel);
      repair_.clamped_pages.push_back(i);
    }
  }

  // A wrong book is lowered one level at a time, as often as needed; the pages
  // before it keep their places, so the pass goes on from the same page
  // instead of starting over, and a page is announced only on its first step.
  PageTree tree = Build(model, [&](int i, int allowed) {
    PageRecord& page = model.MutablePage(i);
    while (BookLevel(page.Attribute) > allowed) {
      ReportWrongLevel(model, i);
      page.Attribute -= 1;
    }
    repair_.lowered_pages.push_back(i);
  });
  reported_page_ = 0;
  if (repair_.Changed()) model.SetModified(true);
  return tree;
}

PageTree RebuildTree(ProjectModel& model, Prompter& prompter) {
  TreeBuilder builder(prompter);
  return builder.Rebuild(model);
}

int MaxBookLevelAt(const ProjectModel& model, int page) {
  const int last = std::min(page - 1, model.PageCount());
  for (int i = last; i >= 1; --i) {
    const PageAttribute attribute = model.Page(i).Attribute;
    if (IsBook(attribute)) return std::min(BookLevel(attribute), kMaxBookLevel - 1) + 1;
  }
  return 1;
}

}  // namespace qy
