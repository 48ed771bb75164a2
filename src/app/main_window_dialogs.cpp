// The dialogs the window opens, each over its Qt-free model, and what the
// window shows anew once one was accepted.
#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QToolButton>

#include "app/dialogs/help_map_dialog.h"
#include "app/dialogs/macro_registration_dialog.h"
#include "app/dialogs/macro_run_dialog.h"
#include "app/dialogs/make_wizard_dialog.h"
#include "app/dialogs/new_page_wizard_dialog.h"
#include "app/dialogs/options_dialog.h"
#include "app/dialogs/page_properties_dialog.h"
#include "app/dialogs/project_properties_dialog.h"
#include "app/display_settings.h"
#include "app/main_window.h"
#include "core/native_path.h"
#include "core/program_folder.h"
#include "core/settings_keys.h"
#include "project/help_map.h"

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

namespace {

std::optional<int> ChooseColorValue(int value, QWidget* parent) {
  const QColor chosen = QColorDialog::getColor(ColorFromSetting(value, parent->palette()), parent);
  if (!chosen.isValid()) return std::nullopt;
  return chosen.red() + 256 * chosen.green() + 65536 * chosen.blue();
}

}  // namespace

void MainWindow::OpenProjectProperties() {
  ProjectPropertiesHooks hooks;
  hooks.rebuild_bitmap_menu = [this] { RebuildPictureMenu(); };
  hooks.show_help = [this](int context) { ShowProgramHelp(context); };
  hooks.chooser = chooser_;
  hooks.choose_color = [this](int value) { return ChooseColorValue(value, this); };
  ProjectPropertiesDialog dialog(model_, settings_, *prompter_, std::move(hooks), this);
  dialog.exec();
}

void MainWindow::OpenOptions(OptionsTab tab) {
  OptionsHooks hooks;
  hooks.chooser = chooser_;
  hooks.choose_color = [this](int value) { return ChooseColorValue(value, this); };
  hooks.choose_font = [this](const QFont& font) -> std::optional<QFont> {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, this);
    return ok ? std::optional<QFont>(chosen) : std::nullopt;
  };
  hooks.main_geometry = [this] { return frameGeometry(); };
  hooks.change_macro_folder = [this](const std::string& folder) {
    // Refusing the question cancels the whole write.
    return macro_runner_->ChangeFolder(PathFromSjis(folder));
  };
  hooks.default_pictures_cleared = [this] {
    if (model_.Header().BitmapSection == kDefaultBitmapSection) RebuildPictureMenu();
  };
  hooks.clear_recent_files = [this] {
    recent_->ClearRecentFiles();
    RebuildRecentMenus();
  };
  hooks.applied = [this] { ApplyOptions(); };
  hooks.show_help = [this](int context) { ShowProgramHelp(context); };
  hooks.key_file_path = options_.key_file_path;
  hooks.toolbar_file_path = options_.toolbar_file_path;
  OptionsDialog dialog(settings_, *prompter_, std::move(hooks), tab, this);
  dialog.exec();
}

void MainWindow::OpenMakeWizard() {
  const MakeWizardChoices opened = LoadMakeWizardChoices(model_.Header());
  MakeWizardDialog dialog(
      opened, [this](int context) { ShowProgramHelp(context); }, this);
  if (dialog.exec() != QDialog::Accepted) return;
  build_->MakeHelpWithWizard(dialog.Chosen(), opened);
}

void MainWindow::OpenHelpMapDialog() {
  HelpMapList list(HelpMapListFileName(model_.ProjectFileName()));
  HelpMapDialog dialog(list, *prompter_, chooser_, this);
  if (dialog.exec() != QDialog::Accepted || dialog.files().empty()) return;
  std::vector<std::string> files;
  for (const std::string& file : dialog.files()) {
    files.push_back(ResolveHelpMapPath(model_.ProjectFileName(), file));
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  HelpMapImporter importer(model_, *prompter_, *status_);
  const HelpMapImportResult result = importer.ImportHelpMaps(files);
  QApplication::restoreOverrideCursor();
  if (!result.changed) return;
  PageCommandResult shown;
  shown.changed = true;
  shown.tree_change = TreeChange::kRebuild;
  shown.tree = result.tree;
  shown.current_page = result.current_page;
  shown.show_page = true;
  shown.focus_editor = true;
  ApplyPageCommand(shown);
}

void MainWindow::EditMacroFile(const std::string& native_path) {
  runner_->ShellOpen(PathFromSjis(settings_.GetString(keys::kEtceteraTextEditor)),
                     "\"" + native_path + "\"");
}

std::optional<std::string> MainWindow::ChooseMacro(const std::string& native_folder) {
  MacroRunDialog dialog(
      native_folder, [this](const std::string& path) { EditMacroFile(path); },
      [this](int context) { ShowProgramHelp(context); }, this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.chosen();
}

void MainWindow::OpenMacroRegistration() {
  MacroRegistrationDialog dialog(
      settings_, *prompter_, [this](const std::string& path) { EditMacroFile(path); }, this);
  if (dialog.exec() == QDialog::Accepted) RebuildMacroMenu();
}

void MainWindow::ApplyViewOptions() {
  ApplyFonts();
  const bool flat = settings_.GetBool(keys::kOptionTooBarFlat);
  for (QToolBar* bar : toolbars_) {
    for (QToolButton* button : bar->findChildren<QToolButton*>()) button->setAutoRaise(flat);
  }
  ApplyEditorMargins();
  expand_tree_ = settings_.GetBool(keys::kOptionTreeView);
  tree_pane_->set_tool_tips(settings_.GetBool(keys::kOptionToolTips));
}

void MainWindow::ApplyOptions() {
  ApplyViewOptions();
  RebuildExternalHelpMenu();
  ApplyToolbarLayoutFile();
  ApplyKeyFile();
  RebuildMacroMenu();
  UpdateCommandStates();
}

}  // namespace qy::app
