// The modeless brace-check window: the pages whose "{" and "}" counts
// differ, checked by its button and again, silently, when it comes back
// after the topic text changed. A double-click leads to the page. Every
// rule is BraceCheckWindow's (markup/brace_check.h).
#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "core/progress.h"
#include "core/prompter.h"
#include "markup/brace_check.h"
#include "project/project_model.h"

namespace qy::app {

class BraceCheckDialog : public QDialog {
  Q_OBJECT

 public:
  // `show_page` selects a page in the main page tree. The window deletes
  // itself when closed.
  BraceCheckDialog(const ProjectModel& project, Prompter& prompter,
                   std::function<void(int page)> show_page, QWidget* parent);
  ~BraceCheckDialog() override;

  // Every edit of the topic text while the window is open.
  void NoteTopicEdited() { window_.OnTopicEdited(); }
  // Runs the check of the "チェック(&C)" button.
  void CheckByButton();

  // True from the moment it is closed until it is deleted.
  bool closed() const { return closed_; }
  void done(int result) override;

  QTreeWidget* list() const { return list_; }
  QPushButton* check_button() const { return check_; }

 protected:
  bool event(QEvent* event) override;

 private:
  class BarProgress;
  void ShowRows();

  const ProjectModel& project_;
  Prompter& prompter_;
  std::function<void(int)> show_page_;
  QTreeWidget* list_ = nullptr;
  QPushButton* check_ = nullptr;
  QLabel* checking_label_ = nullptr;
  QProgressBar* bar_ = nullptr;
  std::unique_ptr<BarProgress> progress_;
  BraceCheckWindow window_;
  bool closed_ = false;
};

// The open window of `main`, null when none.
BraceCheckDialog* OpenBraceCheckWindow(QWidget* main);

// The command: opens the window centred over `main`, or brings back the one
// already open.
void ShowBraceCheckWindow(const ProjectModel& project, Prompter& prompter,
                          std::function<void(int page)> show_page, QWidget* main);

}  // namespace qy::app
