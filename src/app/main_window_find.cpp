// The find commands: the search-and-replace window, the normal find dialog,
// find next and previous, and the page link. The find state lives for the
// whole run; the hits go with their project.
#include "app/dialogs/brace_check_window.h"
#include "app/dialogs/normal_find_window.h"
#include "app/dialogs/page_link_window.h"
#include "app/dialogs/search_replace_window.h"
#include "app/main_window.h"

namespace qy::app {

namespace {

// The page switch of the main page tree as the find tools see it.
class WindowPageNavigator : public PageNavigator {
 public:
  WindowPageNavigator(const ProjectModel& model, std::function<void(int)> select)
      : model_(model), select_(std::move(select)) {}
  int CurrentPage() const override { return model_.CurrentPage(); }
  void SelectPage(int page) override { select_(page); }

 private:
  const ProjectModel& model_;
  std::function<void(int)> select_;
};

}  // namespace

FindTarget MainWindow::MakeFindTarget() {
  if (!find_navigator_) {
    find_session_.Load(settings_);
    find_navigator_ =
        std::make_unique<WindowPageNavigator>(model_, [this](int page) { ShowPage(page); });
  }
  return FindTarget{model_, *editor_, *find_navigator_, *prompter_};
}

void MainWindow::RunFindCommand(CommandId command) {
  switch (command) {
    case kCmdFind:
      OpenSearchWindow();
      break;
    case kCmdFindReset:
      if (find_session_.result_state == FindResultState::kHits) DropFindHits();
      break;
    case kCmdNewFind:
      if (!search_window_ || !search_window_->isVisible()) OpenNormalFind();
      break;
    case kCmdNextFind:
    case kCmdBackFind: {
      FindTarget target = MakeFindTarget();
      FindCommand(
          command == kCmdNextFind ? FindDirection::kNext : FindDirection::kPrevious, find_session_,
          normal_find_ ? &normal_find_->model() : nullptr, [this] { OpenNormalFind(); }, target);
      break;
    }
    case kCmdContext: {
      FindTarget target = MakeFindTarget();
      RunPageLinkDialog(model_, target.navigator, *editor_, *prompter_, this);
      break;
    }
    default:
      break;
  }
}

void MainWindow::OpenSearchWindow() {
  if (!search_window_) {
    FindTarget target = MakeFindTarget();
    SearchReplaceHooks hooks;
    hooks.state_changed = [this] { UpdateFindCommandStates(); };
    hooks.jumped_away = [this] {
      activateWindow();
      editor_->SetFocus();
    };
    hooks.pages_replaced = [this] {
      if (BraceCheckDialog* braces = OpenBraceCheckWindow(this)) braces->NoteTopicEdited();
    };
    hooks.close_normal_find_dialog = [this] {
      if (normal_find_) normal_find_->close();
    };
    search_window_ = new SearchReplaceDialog(find_session_, settings_, model_, *editor_,
                                             target.navigator, *prompter_, std::move(hooks), this);
  }
  search_window_->Open();
}

void MainWindow::OpenNormalFind() {
  if (!normal_find_) {
    normal_find_ = new NormalFindWindow(find_session_, settings_, MakeFindTarget(), this);
    const QRect m = frameGeometry();
    normal_find_->adjustSize();
    normal_find_->move(m.center() - QPoint(normal_find_->width() / 2, normal_find_->height() / 2));
  }
  normal_find_->show();
  normal_find_->raise();
  normal_find_->activateWindow();
}

void MainWindow::DropFindHits() {
  if (search_window_) search_window_->DropHits();
  find_session_.result_state = FindResultState::kNone;
  UpdateFindCommandStates();
}

void MainWindow::FindProjectCleared() {
  if (find_session_.result_state == FindResultState::kHits) DropFindHits();
  find_session_.ProjectCleared();
  if (normal_find_) normal_find_->close();
}

void MainWindow::CloseFindWindows() {
  // Closing stores their places and histories.
  if (search_window_) search_window_->close();
  if (normal_find_) normal_find_->close();
}

void MainWindow::UpdateFindCommandStates() {
  if (!commands_) return;
  const bool out = external_ && external_->IsOut();
  const bool window_shown = search_window_ && search_window_->isVisible();
  commands_->action(kCmdNewFind)->setEnabled(!out && !window_shown);
  commands_->action(kCmdFindReset)
      ->setEnabled(find_session_.result_state == FindResultState::kHits);
  // The page that is out may not be switched or rewritten from them.
  if (search_window_) search_window_->setEnabled(!out);
  if (normal_find_) normal_find_->setEnabled(!out);
}

}  // namespace qy::app
