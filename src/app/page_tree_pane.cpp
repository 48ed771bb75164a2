#include "app/page_tree_pane.h"

#include <QApplication>
#include <QDropEvent>
#include <QSet>
#include <QStyle>
#include <QVBoxLayout>
#include <vector>

#include "app/qt_text.h"
#include "app/toolbar_icons.h"

namespace qy::app {

namespace {

constexpr int kPageRole = Qt::UserRole + 1;
// The context at build time, so that a rebuild after a change of the page
// order opens the same books again.
constexpr int kContextRole = Qt::UserRole + 2;
constexpr int kKindRole = Qt::UserRole + 3;

// Books show an open book while expanded.
void ShowExpansion(QTreeWidgetItem* item) {
  const auto kind = static_cast<PageAttribute>(item->data(0, kKindRole).toInt());
  item->setIcon(0, PageKindIcon(kind, item->isExpanded()));
}

}  // namespace

PageTreeWidget::PageTreeWidget(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(true);
  setDragDropMode(QAbstractItemView::InternalMove);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QTreeWidget::itemExpanded, this, &ShowExpansion);
  connect(this, &QTreeWidget::itemCollapsed, this, &ShowExpansion);
}

int PageTreeWidget::PageOf(const QTreeWidgetItem* item) {
  return item ? item->data(0, kPageRole).toInt() : 0;
}

QTreeWidgetItem* PageTreeWidget::ItemOf(int page) const {
  for (QTreeWidgetItemIterator it(const_cast<PageTreeWidget*>(this)); *it; ++it) {
    if (PageOf(*it) == page) return *it;
  }
  return nullptr;
}

void PageTreeWidget::dropEvent(QDropEvent* event) {
  // The model decides where the page goes; the tree is rebuilt from it, so
  // the widget itself never moves an item.
  const int page = PageOf(currentItem());
  const int target = PageOf(itemAt(event->position().toPoint()));
  event->setDropAction(Qt::IgnoreAction);
  event->accept();
  if (page > 0 && target > 0 && page != target) emit pageDropped(page, target);
}

PageTreePane::PageTreePane(QWidget* parent)
    : QWidget(parent),
      caption_(new QLabel(QStringLiteral("ページビュー (&G)"))),
      tree_(new PageTreeWidget) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  caption_->setBuddy(tree_);
  caption_->setContentsMargins(4, 2, 4, 2);
  layout->addWidget(caption_);
  layout->addWidget(tree_);
  connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (!quiet_ && item) emit pageSelected(PageTreeWidget::PageOf(item));
  });
}

void PageTreePane::Show(const ProjectModel& model, const PageTree& tree, int selected_page,
                        bool expand_all) {
  quiet_ = true;
  tree_->setUpdatesEnabled(false);
  QSet<QByteArray> expanded;
  for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
    if ((*it)->isExpanded()) expanded.insert((*it)->data(0, kContextRole).toByteArray());
  }
  tree_->clear();
  std::vector<QTreeWidgetItem*> items(static_cast<std::size_t>(tree.count) + 1, nullptr);
  for (int page = 1; page <= tree.count; ++page) {
    const int parent = tree.ParentOf(page);
    QTreeWidgetItem* item = parent == 0
                                ? new QTreeWidgetItem(tree_)
                                : new QTreeWidgetItem(items[static_cast<std::size_t>(parent)]);
    item->setData(0, kPageRole, page);
    const std::string& context = model.Page(page).Context;
    item->setData(0, kContextRole,
                  QByteArray(context.data(), static_cast<qsizetype>(context.size())));
    item->setText(0, ToQt(model.TreeLabel(page)));
    if (tool_tips_) item->setToolTip(0, item->text(0));
    item->setData(0, kKindRole, model.Page(page).Attribute);
    item->setIcon(0, PageKindIcon(model.Page(page).Attribute));
    items[static_cast<std::size_t>(page)] = item;
  }
  if (expand_all) {
    tree_->expandAll();
  } else {
    for (QTreeWidgetItem* item : items) {
      if (item && expanded.contains(item->data(0, kContextRole).toByteArray())) {
        item->setExpanded(true);
      }
    }
  }
  // expandAll reports no single expansion.
  for (QTreeWidgetItemIterator it(tree_); *it; ++it) ShowExpansion(*it);
  tree_->setUpdatesEnabled(true);
  quiet_ = false;
  SelectQuietly(selected_page);
}

void PageTreePane::Clear() {
  quiet_ = true;
  tree_->clear();
  quiet_ = false;
}

void PageTreePane::RefreshLabels(const ProjectModel& model) {
  for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
    const int page = PageTreeWidget::PageOf(*it);
    if (model.ValidPage(page)) {
      (*it)->setText(0, ToQt(model.TreeLabel(page)));
      (*it)->setData(0, kKindRole, model.Page(page).Attribute);
      (*it)->setIcon(0, PageKindIcon(model.Page(page).Attribute, (*it)->isExpanded()));
    }
  }
}

void PageTreePane::SelectQuietly(int page) {
  QTreeWidgetItem* item = tree_->ItemOf(page);
  if (!item) return;
  quiet_ = true;
  tree_->setCurrentItem(item);
  tree_->scrollToItem(item);
  quiet_ = false;
}

int PageTreePane::SelectedPage() const { return PageTreeWidget::PageOf(tree_->currentItem()); }

}  // namespace qy::app
