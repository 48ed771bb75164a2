// The main window's side of a macro run (see macro/host_window.h).
#pragma once

#include "app/main_window.h"
#include "macro/host_window.h"

namespace qy::app {

// What a running macro sees of the window: the topic editor, the tree and the
// page commands, answered exactly as the user's own actions are.
class MainWindow::MacroView : public MacroWindow {
 public:
  explicit MacroView(MainWindow& window) : window_(window) {}

  Editor& editor() override { return *window_.editor_; }

  void ShowPage(int page) override {
    if (!window_.model_.ValidPage(page) || window_.external_->IsOut()) return;
    window_.ShowPage(page);
    window_.editor_->SetFocus();
  }

  // The window has no page picker yet: every pick counts as cancelled, so a
  // macro takes its "no page" branch instead of acting on a guessed page.
  int SelectPage() override { return 0; }

  void PageFieldChanged(int page, PageField field) override {
    if (field == PageField::kTitle || field == PageField::kKeyword) {
      window_.tree_pane_->RefreshLabels(window_.model_);
    }
    if (page == window_.model_.CurrentPage() && window_.model_.ValidPage(page)) {
      window_.keyword_bar_->ShowPage(&window_.model_.Page(page));
    }
  }

  bool AddPage() override {
    if (window_.external_->IsOut()) return false;
    const PageCommandResult result = window_.page_commands_->NewPageCommand();
    window_.ApplyPageCommand(result);
    return result.changed;
  }

  bool IsOverwrite() const override { return window_.editor_widget_->OverwriteMode(); }

 private:
  MainWindow& window_;
};

}  // namespace qy::app
