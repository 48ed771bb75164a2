// The dialogs the window opens, each over its Qt-free model, and what the
// window shows anew once one was accepted.
#include <QColorDialog>

#include "app/dialogs/new_page_wizard_dialog.h"
#include "app/dialogs/page_properties_dialog.h"
#include "app/dialogs/project_properties_dialog.h"
#include "app/main_window.h"
#include "core/program_folder.h"

namespace qy::app {

void MainWindow::ShowProgramHelp(int context) {
  help_viewer_->ShowContext(options_.program_folder + kProgramHelpFileName, context);
}

PageRow PageRowOfBarField(KeywordBarField field) {
  switch (field) {
    case KeywordBarField::kContextId:
      return PageRow::kContextId;
    case KeywordBarField::kTitle:
      return PageRow::kTitle;
    case KeywordBarField::kKeyword:
      return PageRow::kKeyword;
    case KeywordBarField::kAKeyword:
      return PageRow::kAKeyword;
    case KeywordBarField::kBKeyword:
      return PageRow::kBKeyword;
    case KeywordBarField::kMacro:
      return PageRow::kMacro;
    default:
      return PageRow::kContext;
  }
}

void MainWindow::OpenPageProperties(std::optional<PageAttribute> preset, PageRow focus) {
  if (external_->IsOut() || !model_.ValidPage(model_.CurrentPage())) return;
  PagePropertiesModel properties(model_, settings_, preset);
  const std::string old_context = model_.Page(properties.page()).Context;
  PagePropertiesDialog dialog(
      properties, *prompter_, page_commands_->KindChangeConfirmation(),
      [this](int context) { ShowProgramHelp(context); }, this);
  dialog.FocusRow(focus);
  if (dialog.exec() != QDialog::Accepted || !dialog.outcome()) return;
  const PagePropertiesOutcome& outcome = *dialog.outcome();

  PageCommandResult shown;
  shown.changed = true;
  shown.current_page = properties.page();
  shown.node_page = properties.page();
  shown.tree_change = TreeChange::kRefreshNode;
  if (outcome.rebuild_tree) {
    shown.tree_change = TreeChange::kRebuild;
    shown.tree = page_commands_->tree_builder().Rebuild(model_);
  }
  // A new kind changes whether the editor may be typed in; a new context
  // changes where the page history keeps the caret.
  shown.show_page = outcome.kind_changed || old_context != model_.Page(shown.current_page).Context;
  shown.topic_cleared = outcome.topic_cleared;
  ApplyPageCommand(shown);
  history_.RecordPageVisit(outcome.history_context);
}

void MainWindow::OpenNewPageWizard() {
  if (!NewPageWizardAvailable(*page_commands_)) return;
  NewPageWizard wizard(model_, *page_commands_, *prompter_, settings_);
  NewPageWizardDialog dialog(
      wizard, [this](int context) { ShowProgramHelp(context); }, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const NewPageWizardResult& result = wizard.result();
  if (result.page_created) ApplyPageCommand(result.page);
  if (result.macro_index >= 0) macro_runner_->RunRegistered(result.macro_index, false);
}

void MainWindow::OpenProjectProperties() {
  ProjectPropertiesHooks hooks;
  hooks.rebuild_bitmap_menu = [this] { RebuildPictureMenu(); };
  hooks.show_help = [this](int context) { ShowProgramHelp(context); };
  hooks.chooser = chooser_;
  hooks.choose_color = [this](int value) -> std::optional<int> {
    const QColor chosen = QColorDialog::getColor(
        QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff), this);
    if (!chosen.isValid()) return std::nullopt;
    return chosen.red() + 256 * chosen.green() + 65536 * chosen.blue();
  };
  ProjectPropertiesDialog dialog(model_, settings_, *prompter_, std::move(hooks), this);
  dialog.exec();
}

}  // namespace qy::app
