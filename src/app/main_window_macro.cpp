// The window as the host of its macro component: the macro menu, the runs it
// starts, the event pump during a run, the pause box and the stop command.
#include <QCoreApplication>
#include <QInputDialog>
#include <QPushButton>

#include "app/main_window.h"
#include "app/main_window_macro_view.h"
#include "app/qt_text.h"
#include "core/codec.h"

namespace qy::app {

void MainWindow::BuildMacro() {
  macro_view_ = std::make_unique<MacroView>(*this);
  pascal_ = std::make_unique<TPoorPascal>();
  macro_dialogs_ = std::make_unique<PrompterDialogs>(
      *prompter_,
      [this](const std::string& caption, const std::string& prompt,
             const std::string& default_value) -> std::optional<std::string> {
        bool ok = false;
        const QString text = QInputDialog::getText(this, ToQt(caption), ToQt(prompt),
                                                   QLineEdit::Normal, ToQt(default_value), &ok);
        if (!ok) return std::nullopt;
        return FromQt(text);
      });
  pascal_->set_dialogs(macro_dialogs_.get());
  pascal_->set_process_runner(runner_.get());
  macro_host_ = std::make_unique<MacroHostInterface>(model_, *macro_view_, clipboard_, settings_);
  macro_host_->Attach(*pascal_);
  pascal_->on_process_messages = [this] { PumpDuringMacro(); };
  pascal_->PauseProc = [this] { ShowPauseBox(); };

  macro_runner_ = std::make_unique<MacroRunner>(*pascal_, settings_, *prompter_, *chooser_);
  macro_runner_->rebuild_menus = [this] { RebuildMacroMenu(); };
  macro_runner_->open_registration_dialog = [this] { NotAvailableYet(kCmdMacReg); };
  macro_runner_->set_last_macro_hint = [this](const std::string& hint) {
    commands_->action(kCmdMacLast)->setStatusTip(ToQt(hint));
  };
  macro_runner_->on_state_changed = [this] {
    if (!macro_runner_->running()) ClosePauseBox();
    UpdateCommandStates();
  };

  // Not a row of the command table: the item exists only for the run.
  macro_stop_ = new QAction(QStringLiteral("QYマクロの実行を中止(&S)"), this);
  macro_stop_->setObjectName(QStringLiteral("mnuMacStop"));
  macro_stop_->setStatusTip(QStringLiteral("実行中のQYマクロを中止します。"));
  connect(macro_stop_, &QAction::triggered, this, &MainWindow::RequestMacroStop);
  QMenu* menu = commands_->section_menu(CommandSection::kMacro);
  menu->addSeparator();
  menu->addAction(macro_stop_);
  addAction(macro_stop_);

  RebuildMacroMenu();
  if (std::optional<std::string> hint = LastMacroHint(settings_)) {
    commands_->action(kCmdMacLast)->setStatusTip(ToQt(*hint));
  }
}

void MainWindow::RunMacroCommand(CommandId command) {
  if (!macro_runner_->commands_enabled() || macro_runner_->running()) return;
  switch (command) {
    case kCmdMacRun:
      macro_runner_->RunChosen();
      break;
    case kCmdMacLast:
      macro_runner_->RunLast();
      break;
    case kCmdMacReg:
      macro_runner_->Register();
      break;
    default:
      if (IsMacroSlot(command)) macro_runner_->RunRegistered(command - kCmdMac00);
      break;
  }
  // The run may have changed pages and labels behind the views' backs.
  if (!closing_) UpdateCommandStates();
}

void MainWindow::RequestMacroStop() {
  if (pascal_ && pascal_->Running()) pascal_->Stop();
}

void MainWindow::RebuildMacroMenu() {
  const std::vector<MacroMenuItem> items = macro_runner_->MenuItems();
  for (int slot = 0; slot < kMacroSlotCount; ++slot) {
    QAction* item = commands_->action(CommandAfter(kCmdMac00, slot));
    if (!item) continue;
    const auto at = static_cast<std::size_t>(slot);
    const bool visible = at < items.size();
    item->setVisible(visible);
    if (!visible) continue;
    item->setText(ToQt(items[at].caption));
    item->setStatusTip(ToQt(items[at].hint));
  }
  QMenu* menu = commands_->section_menu(CommandSection::kMacro);
  QAction* first = commands_->action(kCmdMac00);
  if (QAction* separator = SeparatorAbove(menu, first); separator != first) {
    separator->setVisible(!items.empty());
  }
}

void MainWindow::UpdateMacroCommandStates() {
  if (!macro_runner_) return;
  const bool running = macro_runner_->running();
  const bool enabled = macro_runner_->commands_enabled() && !running;
  for (const CommandRow& row : CommandsInSection(CommandSection::kMacro)) {
    if (QAction* item = commands_->action(row.number)) item->setEnabled(enabled);
  }
  // The commands that replace or close the project wait for the run's end.
  for (const CommandRow& row : CommandRows()) {
    if (row.Has(kNotWhileMacroRuns)) commands_->action(row.number)->setEnabled(!running);
  }
  for (QAction* item : recent_items_) item->setEnabled(!running);
  macro_stop_->setEnabled(running);
}

void MainWindow::PumpDuringMacro() {
  // User input too: the stop command and the pause box's buttons must reach
  // the window while the macro holds the thread.
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  if (pause_box_ && !pascal_->Paused()) ClosePauseBox();
}

void MainWindow::ShowPauseBox() {
  if (pause_box_) return;
  auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Quillory"),
                              QStringLiteral("一時停止中"), QMessageBox::NoButton, this);
  box->setObjectName(QStringLiteral("dlgMacroPause"));
  box->setWindowModality(Qt::NonModal);
  box->setAttribute(Qt::WA_DeleteOnClose);
  QPushButton* resume = box->addButton(QStringLiteral("再開(&R)"), QMessageBox::AcceptRole);
  resume->setObjectName(QStringLiteral("btnResume"));
  QPushButton* stop = box->addButton(QStringLiteral("中止(&S)"), QMessageBox::RejectRole);
  stop->setObjectName(QStringLiteral("btnStop"));
  // The box is no modal loop: the component's own wait pumps its events.
  connect(resume, &QPushButton::clicked, this, [this] { pascal_->Resume(); });
  connect(stop, &QPushButton::clicked, this, [this] { pascal_->Stop(); });
  // Closing the box any other way lets the run go on, as "resume" does.
  connect(box, &QObject::destroyed, this, [this] {
    if (pascal_ && pascal_->Paused() && !pascal_->StopRequested()) pascal_->Resume();
  });
  pause_box_ = box;
  box->show();
}

void MainWindow::ClosePauseBox() {
  if (!pause_box_) return;
  QMessageBox* box = pause_box_;
  pause_box_ = nullptr;
  box->close();
}

bool MainWindow::RefuseWhileMacroRuns() {
  if (!macro_runner_ || !macro_runner_->running()) return false;
  const Answer answer = prompter_->Ask(
      Sjis("QYマクロを実行中です。") + "\r\n\r\n" + Sjis("QYマクロの実行を中止しますか？"),
      Buttons::kYesNo, Beep::kQuestion);
  if (answer == Answer::kYes) RequestMacroStop();
  return true;
}

}  // namespace qy::app
