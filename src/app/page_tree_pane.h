// The page tree ("ページビュー"): one node per page nested by books, with
// the labels of the model's tree-label mode, drag and drop of pages and
// the pop-up menu.
#pragma once

#include <QLabel>
#include <QTreeWidget>
#include <QWidget>
#include <set>
#include <string>

#include "project/page_tree.h"
#include "project/project_model.h"

namespace qy::app {

class PageTreeWidget : public QTreeWidget {
  Q_OBJECT

 public:
  explicit PageTreeWidget(QWidget* parent = nullptr);

  // The page (from 1) of `item`, 0 for none.
  static int PageOf(const QTreeWidgetItem* item);
  QTreeWidgetItem* ItemOf(int page) const;

 signals:
  // Page `page` was dropped on the node of page `target`.
  void pageDropped(int page, int target);

 protected:
  void dropEvent(QDropEvent* event) override;
};

class PageTreePane : public QWidget {
  Q_OBJECT

 public:
  explicit PageTreePane(QWidget* parent = nullptr);

  PageTreeWidget* tree() const { return tree_; }
  QLabel* caption() const { return caption_; }

  // Shows `tree` with labels and images from `model` and selects
  // `selected_page` without reporting the selection.
  void Show(const ProjectModel& model, const PageTree& tree, int selected_page, bool expand_all);
  void Clear();
  // New labels for every node (after a change of the label mode).
  void RefreshLabels(const ProjectModel& model);
  // Selects the node of `page` without reporting it.
  void SelectQuietly(int page);
  int SelectedPage() const;
  // Whether nodes show their label as a tip (Option/ToolTips).
  void set_tool_tips(bool on) { tool_tips_ = on; }

 signals:
  // The user selected the node of `page`.
  void pageSelected(int page);

 private:
  QLabel* caption_;
  PageTreeWidget* tree_;
  bool quiet_ = false;
  bool tool_tips_ = true;
};

}  // namespace qy::app
