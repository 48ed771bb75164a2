// The modeless search-and-replace window ("検索・置換"): find and replace
// boxes with their histories, the scope, the result list whose rows are
// made from the hits when they are shown, and the window's own progress
// bar. Every rule is SearchReplaceWindow's (markup/find_window.h); closing
// only hides the window while it holds hits.
#pragma once

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <functional>
#include <memory>
#include <vector>

#include "core/editor.h"
#include "core/prompter.h"
#include "core/settings.h"
#include "markup/find_session.h"
#include "markup/find_window.h"
#include "project/project_model.h"

namespace qy::app {

// The window's view of the main window.
struct SearchReplaceHooks {
  // The result state or the window's visibility changed: the menu items
  // that depend on them are updated.
  std::function<void()> state_changed;
  // Pages' topic texts were rewritten by a replace.
  std::function<void()> pages_replaced;
  std::function<void()> close_normal_find_dialog;
  // A jump by the button hid the window: the editor takes over.
  std::function<void()> jumped_away;
};

class SearchReplaceDialog : public QDialog {
  Q_OBJECT

 public:
  // `main` is the window it is placed over. The window deletes itself once
  // it is closed without hits or its hits are dropped.
  SearchReplaceDialog(FindSession& session, Settings& settings, ProjectModel& project,
                      Editor& editor, PageNavigator& navigator, Prompter& prompter,
                      SearchReplaceHooks hooks, QWidget* main);
  ~SearchReplaceDialog() override;

  // "検索・置換(&R)...": prepares the window (new or hidden), applies the
  // stored place, size and column widths, reloads the histories and shows it.
  void Open();
  // Deleting a page, clearing the project, "検索結果の初期化(&M)".
  void DropHits();
  // Every edit of the topic text.
  void NoteTopicEdited() { window_.TopicEdited(); }

  const SearchReplaceWindow& model() const { return window_; }
  QComboBox* find_box() const { return find_box_; }
  QComboBox* replace_box() const { return replace_box_; }
  QCheckBox* case_box() const { return case_box_; }
  QRadioButton* project_scope() const { return project_scope_; }
  QRadioButton* page_scope() const { return page_scope_; }
  QPushButton* search_button() const { return search_; }
  QPushButton* replace_selected_button() const { return replace_selected_; }
  QPushButton* replace_all_button() const { return replace_all_; }
  QPushButton* jump_button() const { return jump_; }
  QLabel* list_label() const { return list_label_; }
  QTreeView* list() const { return list_; }
  QProgressBar* progress_bar() const { return bar_; }

  // The selected rows of the result list, in list order.
  std::vector<int> SelectedRows() const;
  // A double-click on `row`: jumps and leaves the window shown.
  void ActivateRow(int row);

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override { close(); }

 private:
  class BarProgress;
  class HitTable;

  void Search();
  void Replace(bool all);
  void Jump();
  // Label, buttons and list from the model.
  void ShowState();
  void FillHistories();
  void ApplyGeometry();
  FindWindowGeometry CurrentGeometry() const;
  void Busy(bool busy);

  SearchReplaceHooks hooks_;
  QWidget* main_;
  Settings& settings_;
  std::unique_ptr<BarProgress> progress_;
  SearchReplaceWindow window_;
  QComboBox* find_box_ = nullptr;
  QComboBox* replace_box_ = nullptr;
  QCheckBox* case_box_ = nullptr;
  QRadioButton* project_scope_ = nullptr;
  QRadioButton* page_scope_ = nullptr;
  QPushButton* search_ = nullptr;
  QPushButton* replace_selected_ = nullptr;
  QPushButton* replace_all_ = nullptr;
  QPushButton* jump_ = nullptr;
  QPushButton* close_ = nullptr;
  QLabel* list_label_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QTreeView* list_ = nullptr;
  HitTable* table_ = nullptr;
  bool busy_ = false;
};

}  // namespace qy::app
