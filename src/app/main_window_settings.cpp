// LoadSettings and SaveSettings: what the settings file gives the window at
// start-up and what the window writes back when it closes.
#include <QGuiApplication>
#include <QScreen>
#include <QStatusBar>

#include "app/display_settings.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "core/settings_keys.h"
#include "markup/picture_menu.h"
#include "shell/key_settings.h"
#include "shell/unreadable_files.h"
#include "shell/window_layout.h"

namespace qy::app {

namespace {

constexpr int kEditorMargin = 6;

}  // namespace

void MainWindow::LoadSettings() {
  SetPageViewShown(settings_.GetBool(keys::kWindowPageView));
  SetDebugViewShown(settings_.GetBool(keys::kDebugDebugSave) &&
                    settings_.GetBool(keys::kWindowDebugView));
  statusBar()->setVisible(settings_.GetBool(keys::kWindowStatusBar));
  commands_->action(kCmdStatusBar)->setChecked(statusBar()->isVisibleTo(this));
  SetTreeLabelMode(settings_.GetInt(keys::kOptionViewIndex));

  // Position and size; kWindowPlaceSystem leaves them to the system.
  switch (settings_.GetInt(keys::kWindowPosOption)) {
    case keys::kWindowPlaceLast:
      move(settings_.GetInt(keys::kWindowLeft), settings_.GetInt(keys::kWindowTop));
      break;
    case keys::kWindowPlaceUser:
      move(settings_.GetInt(keys::kWindowUserLeft), settings_.GetInt(keys::kWindowUserTop));
      break;
    default:
      break;
  }
  bool maximized = false;
  switch (settings_.GetInt(keys::kWindowSizOption)) {
    case keys::kWindowPlaceLast:
      resize(settings_.GetInt(keys::kWindowWidth), settings_.GetInt(keys::kWindowHeight));
      maximized = settings_.GetBool(keys::kWindowWindowStyle);
      break;
    case keys::kWindowPlaceUser:
      resize(settings_.GetInt(keys::kWindowUserWidth), settings_.GetInt(keys::kWindowUserHeight));
      break;
    default:
      if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        resize(screen->availableSize() * 3 / 4);
      }
      break;
  }
  if (maximized) setWindowState(windowState() | Qt::WindowMaximized);

  ApplySplit(settings_.GetBool(keys::kWindowBorderSet), settings_.GetInt(keys::kWindowBorderLine));
  SetKeywordRows(settings_.GetInt(keys::kWindowKeyBarLevel));
  ApplyViewOptions();

  RestoreToolbarPositions();
  for (std::size_t i = 0; i < toolbars_.size(); ++i) {
    const bool shown = settings_.GetBool(keys::ToolbarVisible(static_cast<int>(i)));
    toolbars_[i]->setVisible(shown);
    commands_->action(Toolbars()[i].view_command)->setChecked(shown);
  }
  const bool keyword_shown = settings_.GetBool(keys::kTbrKeyWordVisible);
  keyword_toolbar_->setVisible(keyword_shown);
  commands_->action(kCmdKeybar)->setChecked(keyword_shown);
}

void MainWindow::ApplySplit(bool top_split, int border_line) {
  top_split_ = top_split;
  page_splitter_->setOrientation(top_split ? Qt::Vertical : Qt::Horizontal);
  // A stored extent that would leave the editor unusable is cut back.
  const int line = UsableBorderLine(border_line, top_split ? height() : width());
  page_splitter_->setSizes({line, 10000});
}

int MainWindow::BorderLine() const {
  return top_split_ ? tree_pane_->height() : tree_pane_->width();
}

void MainWindow::ApplyFonts() {
  const QPalette palette = editor_widget_->palette();
  QFont topic = FontFromSettings(settings_, keys::kWindowTFontName, keys::kWindowTFontSize,
                                 keys::kWindowTFontStyle);
  editor_widget_->setFont(topic);
  QPalette editor_palette = palette;
  editor_palette.setColor(QPalette::Text,
                          ColorFromSetting(settings_.GetInt(keys::kWindowTFontColor), palette));
  editor_palette.setColor(QPalette::Base,
                          ColorFromSetting(settings_.GetInt(keys::kWindowTWinColor), palette));
  editor_widget_->setPalette(editor_palette);

  tree_pane_->tree()->setFont(FontFromSettings(settings_, keys::kWindowPFontName,
                                               keys::kWindowPFontSize, keys::kWindowPFontStyle));
  debug_pane_->setFont(FontFromSettings(settings_, keys::kWindowDFontName, keys::kWindowDFontSize,
                                        keys::kWindowDFontStyle));
  const QFont values = FontFromSettings(settings_, keys::kWindowEFontName, keys::kWindowEFontSize,
                                        keys::kWindowEFontStyle);
  // The field names and the tree caption: the second other area.
  QFont labels = keyword_bar_->font();
  ApplyFontStyle(labels, settings_.GetInt(keys::kWindowBFontStyle));
  const QColor label_color = ColorFromSetting(settings_.GetInt(keys::kWindowBFontColor), palette);
  keyword_bar_->SetFonts(values, label_color, labels);
  tree_pane_->caption()->setFont(labels);
  QPalette caption_palette = tree_pane_->caption()->palette();
  caption_palette.setColor(QPalette::WindowText, label_color);
  tree_pane_->caption()->setPalette(caption_palette);
}

void MainWindow::ApplyEditorMargins() {
  const int top = settings_.GetBool(keys::kOptionTTopSpace) ? kEditorMargin : 0;
  const int left = settings_.GetBool(keys::kOptionTLeftSpace) ? kEditorMargin : 0;
  editor_widget_->setStyleSheet(
      QStringLiteral("QPlainTextEdit { padding-top: %1px; padding-left: %2px; }")
          .arg(top)
          .arg(left));
}

void MainWindow::ApplyKeyFile() {
  std::string message;
  const std::optional<std::string> key_file = KeyFileForShortcuts(options_.key_file_path, &message);
  if (!message.empty()) prompter_->Warning(message);
  commands_->ApplyShortcuts(key_file);
}

void MainWindow::RebuildExternalHelpMenu() {
  QMenu* menu = commands_->section_menu(CommandSection::kHelp);
  for (int i = 0; i < keys::kExternalHelpEntries; ++i) {
    QAction* item = commands_->action(CommandAfter(kCmdHelp0, i));
    const std::string title = settings_.GetString(keys::HelpTitle(i));
    item->setVisible(!title.empty());
    if (!title.empty()) item->setText(ToQt(title));
  }
  if (!help_separator_) help_separator_ = SeparatorAbove(menu, commands_->action(kCmdHelp0));
  if (help_separator_ && help_separator_->isSeparator()) {
    help_separator_->setVisible(!settings_.GetString(keys::HelpTitle(0)).empty());
  }
}

void MainWindow::RebuildPictureMenu() {
  const std::vector<PictureMenuEntry> entries =
      PictureMenuEntries(settings_, model_.Header().BitmapSection);
  for (int i = 1; i <= keys::kBitmapEntries; ++i) {
    commands_->action(CommandAfter(kCmdBmp1, i - 1))->setVisible(false);
  }
  for (const PictureMenuEntry& entry : entries) {
    if (entry.index < 1 || entry.index > keys::kBitmapEntries) continue;
    QAction* item = commands_->action(CommandAfter(kCmdBmp1, entry.index - 1));
    if (!item) continue;
    item->setVisible(true);
    item->setText(ToQt(entry.title));
    item->setStatusTip(ToQt(entry.hint));
  }
  QMenu* group = commands_->group_menu(kCmdPictureGroup);
  if (!picture_separator_ && group) {
    picture_separator_ = SeparatorAbove(group, commands_->action(kCmdBmp1));
  }
  if (picture_separator_ && picture_separator_->isSeparator()) {
    picture_separator_->setVisible(PictureMenuSeparatorVisible(entries));
  }
}

void MainWindow::SaveSettings(int border_line) {
  SaveToolbarPositions();
  for (std::size_t i = 0; i < toolbars_.size(); ++i) {
    settings_.SetBool(keys::ToolbarVisible(static_cast<int>(i)), toolbars_[i]->isVisibleTo(this));
  }
  settings_.SetBool(keys::kTbrKeyWordVisible, keyword_toolbar_->isVisibleTo(this));
  settings_.SetInt(keys::kWindowBorderLine, border_line);
  settings_.SetBool(keys::kWindowPageView, commands_->action(kCmdPageView)->isChecked());
  if (settings_.GetBool(keys::kDebugDebugSave)) {
    settings_.SetBool(keys::kWindowDebugView, debug_pane_->isVisibleTo(this));
  }
  settings_.SetBool(keys::kWindowStatusBar, statusBar()->isVisibleTo(this));
  settings_.SetInt(keys::kOptionViewIndex, model_.TreeLabelMode());
  const bool maximized = isMaximized();
  if (!maximized) settings_.SetBool(keys::kWindowWindowStyle, false);
  if (settings_.GetInt(keys::kWindowPosOption) == keys::kWindowPlaceLast && !maximized) {
    settings_.SetInt(keys::kWindowLeft, x());
    settings_.SetInt(keys::kWindowTop, y());
  }
  if (settings_.GetInt(keys::kWindowSizOption) == keys::kWindowPlaceLast) {
    settings_.SetBool(keys::kWindowWindowStyle, maximized);
    if (!maximized) {
      settings_.SetInt(keys::kWindowWidth, width());
      settings_.SetInt(keys::kWindowHeight, height());
    }
  }
  settings_.SetInt(keys::kWindowKeyBarLevel, keyword_bar_->rows());
}

}  // namespace qy::app
