// The main window's side of a macro run (see macro/host_window.h).
#pragma once

#include "app/dialogs/link_dialog.h"
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

  // The link dialog as page picker; 0 when cancelled or refused.
  int SelectPage() override {
    return PickPage(window_.model_, window_.settings_, *window_.prompter_,
                    window_.editor_->SelText(), &window_) +
           1;
  }

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
