// The five layout toolbars and the keyword bar: built from the toolbar
// table, laid out by the layout file, and docked where they were left.
#include <QToolButton>
#include <algorithm>
#include <tuple>

#include "app/dialogs/other_shortcuts_dialog.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/toolbar_icons.h"
#include "core/settings_keys.h"
#include "shell/unreadable_files.h"

namespace qy::app {

namespace {

// The toolbar-table rows of the buttons with a drop-down menu.
constexpr int kPictureButtonRow = 44;
constexpr int kEtcButtonRow = 65;

const char* AreaName(Qt::ToolBarArea area) {
  switch (area) {
    case Qt::BottomToolBarArea:
      return "Bottom";
    case Qt::LeftToolBarArea:
      return "Left";
    case Qt::RightToolBarArea:
      return "Right";
    default:
      return "Top";
  }
}

Qt::ToolBarArea AreaOf(const std::string& name) {
  if (name == "Bottom") return Qt::BottomToolBarArea;
  if (name == "Left") return Qt::LeftToolBarArea;
  if (name == "Right") return Qt::RightToolBarArea;
  return Qt::TopToolBarArea;
}

bool Horizontal(Qt::ToolBarArea area) {
  return area == Qt::TopToolBarArea || area == Qt::BottomToolBarArea;
}

// Where a toolbar starts when the settings file has no place for it: the
// file, edit and project bars on the first line, the page and shortcut bars
// on the second, the keyword bar on the third.
int DefaultRow(const QToolBar* bar, std::size_t index) {
  if (bar->objectName() == QLatin1String(kKeywordBarSettingsSection)) return 2;
  return index >= 3 ? 1 : 0;
}

}  // namespace

QAction* SeparatorAbove(QMenu* menu, QAction* item) {
  const QList<QAction*> items = menu->actions();
  const qsizetype at = items.indexOf(item);
  if (at > 0 && items[at - 1]->isSeparator()) return items[at - 1];
  return item;
}

void MainWindow::BuildToolbars() {
  for (const ToolbarInfo& info : Toolbars()) {
    const ToolbarRow* node = FindToolbarRow(info.tree_number);
    auto* bar = new QToolBar(ToQt(ToolbarCaption(*node)), this);
    bar->setObjectName(QString::fromLatin1(info.settings_section));
    bar->setIconSize(QSize(20, 20));
    for (const ToolbarRow& row : ToolbarItems(info.id)) {
      if (row.IsSeparator()) {
        toolbar_items_[static_cast<std::size_t>(row.number)] = bar->addSeparator();
        continue;
      }
      QAction* command = commands_->action(row.command);
      const QIcon icon = ToolbarIcon(row.key);
      // A button of its own, so that hiding it leaves the menu item alone.
      auto* button = new QAction(icon, ToQt(ToolbarCaption(row)), bar);
      button->setObjectName(QString::fromLatin1(row.button));
      button->setStatusTip(command ? command->statusTip() : QString());
      if (command) {
        if (command->icon().isNull()) command->setIcon(icon);
        button->setCheckable(command->isCheckable());
        auto sync = [button, command] {
          button->setEnabled(command->isEnabled());
          button->setChecked(command->isChecked());
        };
        connect(command, &QAction::changed, button, sync);
        connect(button, &QAction::triggered, command, [command, sync] {
          command->trigger();
          sync();
        });
      }
      bar->addAction(button);
      toolbar_items_[static_cast<std::size_t>(row.number)] = button;
    }
    toolbars_[static_cast<std::size_t>(static_cast<int>(info.id) - 1)] = bar;
    addToolBar(Qt::TopToolBarArea, bar);
    const CommandId view_command = info.view_command;
    connect(bar, &QToolBar::visibilityChanged, this, [this, view_command, bar](bool) {
      if (!closing_) commands_->action(view_command)->setChecked(bar->isVisibleTo(this));
    });
  }
  // The open button offers the recent files, the history button the pages
  // visited.
  recent_popup_ = new QMenu(this);
  recent_popup_->setObjectName(QStringLiteral("pumRecent"));
  if (QAction* open = toolbar_items_[3]) {
    open->setMenu(recent_popup_);
    if (auto* button =
            qobject_cast<QToolButton*>(toolbar(ToolbarId::kFile)->widgetForAction(open))) {
      button->setPopupMode(QToolButton::MenuButtonPopup);
    }
  }
  // The other-shortcuts button offers its two tabs on any page, the picture
  // button the registered pictures (the menus' own items, so that captions
  // and visibility follow).
  const auto drop_down = [this](ToolbarId bar, QAction* button, QMenu* menu) {
    button->setMenu(menu);
    if (auto* tool = qobject_cast<QToolButton*>(toolbar(bar)->widgetForAction(button))) {
      tool->setPopupMode(QToolButton::MenuButtonPopup);
    }
  };
  if (QAction* etc = toolbar_items_[kEtcButtonRow]) {
    auto* menu = new QMenu(this);
    const std::pair<const char*, OtherShortcutsTab> entries[] = {
        {"線を挿入(&L)...", OtherShortcutsTab::kLines},
        {"その他を挿入(&E)...", OtherShortcutsTab::kOther}};
    for (const auto& [caption, tab] : entries) {
      QAction* item = menu->addAction(QString::fromUtf8(caption));
      item->setObjectName(tab == OtherShortcutsTab::kLines ? QStringLiteral("mnuBtnEtcLine")
                                                           : QStringLiteral("mnuBtnEtcOther"));
      connect(item, &QAction::triggered, this, [this, tab = tab] {
        EditGroup group(*editor_);
        RunOtherShortcutsDialog(*editor_, tab, this);
      });
    }
    drop_down(ToolbarId::kShortCut, etc, menu);
  }
  if (QAction* picture = toolbar_items_[kPictureButtonRow]) {
    auto* menu = new QMenu(this);
    for (int i = 0; i < keys::kBitmapEntries; ++i) {
      menu->addAction(commands_->action(CommandAfter(kCmdBmp1, i)));
    }
    drop_down(ToolbarId::kShortCut, picture, menu);
  }
  // The recent files in the File menu, between their own separator and the
  // one above the last item.
  QMenu* file_menu = commands_->section_menu(CommandSection::kFile);
  QAction* anchor = SeparatorAbove(file_menu, commands_->action(kCmdExit));
  for (int i = 1; i <= 5; ++i) {
    auto* item = new QAction(this);
    item->setObjectName(QStringLiteral("mnuFileRecent%1").arg(i));
    file_menu->insertAction(anchor, item);
    connect(item, &QAction::triggered, this, [this, i] {
      if (RefuseWhileMacroRuns()) return;
      recent_->OpenRecentFile(i, *document_, *prompter_);
    });
    recent_items_.push_back(item);
  }
  recent_separator_ = file_menu->insertSeparator(recent_items_.front());
}

std::vector<QToolBar*> MainWindow::AllToolbars() const {
  std::vector<QToolBar*> bars(toolbars_.begin(), toolbars_.end());
  bars.push_back(keyword_toolbar_);
  return bars;
}

void MainWindow::ApplyToolbarLayoutFile() {
  std::string error;
  const ToolbarLayout layout = ToolbarLayout::Read(options_.toolbar_file_path, &error);
  if (!error.empty()) {
    prompter_->Warning(
        UnreadableFileMessage(LayoutFileKind::kToolbars, options_.toolbar_file_path, error));
  }
  for (const ToolbarItemState& state : ApplyToolbarLayout(layout)) {
    if (QAction* item = toolbar_items_[static_cast<std::size_t>(state.row->number)]) {
      item->setVisible(state.shown);
    }
  }
}

void MainWindow::SaveToolbarPositions() {
  const std::vector<QToolBar*> bars = AllToolbars();
  for (std::size_t i = 0; i < bars.size(); ++i) {
    QToolBar* bar = bars[i];
    const keys::ToolbarPlaceKeys place = keys::ToolbarPlace(static_cast<int>(i));
    if (bar->isFloating()) {
      settings_.SetString(place.docked_to, "Float");
      settings_.SetInt(place.float_left, bar->x());
      settings_.SetInt(place.float_top, bar->y());
      continue;
    }
    const Qt::ToolBarArea area = toolBarArea(bar);
    // The row is the rank of the bar's line among the lines of its area.
    std::vector<int> lines;
    for (QToolBar* other : AllToolbars()) {
      if (other->isFloating() || toolBarArea(other) != area) continue;
      lines.push_back(Horizontal(area) ? other->y() : other->x());
    }
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    const int line = Horizontal(area) ? bar->y() : bar->x();
    const int row =
        static_cast<int>(std::lower_bound(lines.begin(), lines.end(), line) - lines.begin());
    settings_.SetString(place.docked_to, AreaName(area));
    settings_.SetInt(place.dock_row, row);
    settings_.SetInt(place.dock_pos, Horizontal(area) ? bar->x() : bar->y());
  }
}

void MainWindow::RestoreToolbarPositions() {
  const IniFile& ini = settings_.file();
  struct Place {
    Qt::ToolBarArea area;
    int row;
    int pos;
    std::size_t index;
    QToolBar* bar;
  };
  std::vector<Place> places;
  const std::vector<QToolBar*> bars = AllToolbars();
  for (std::size_t i = 0; i < bars.size(); ++i) {
    const keys::ToolbarPlaceKeys keys = keys::ToolbarPlace(static_cast<int>(i));
    // A floating bar comes back docked at the top: Qt can not float a bar
    // by program.
    const std::string docked = settings_.GetString(keys.docked_to);
    const int row = ini.ReadInt(keys.dock_row.section, keys.dock_row.key, DefaultRow(bars[i], i));
    const int pos = ini.ReadInt(keys.dock_pos.section, keys.dock_pos.key, static_cast<int>(i));
    places.push_back({AreaOf(docked), row, pos, i, bars[i]});
  }
  std::sort(places.begin(), places.end(), [](const Place& a, const Place& b) {
    return std::tie(a.area, a.row, a.pos, a.index) < std::tie(b.area, b.row, b.pos, b.index);
  });
  for (const Place& place : places) removeToolBar(place.bar);
  for (std::size_t i = 0; i < places.size(); ++i) {
    const Place& place = places[i];
    if (i > 0 && places[i - 1].area == place.area && places[i - 1].row != place.row) {
      addToolBarBreak(place.area);
    }
    addToolBar(place.area, place.bar);
    place.bar->show();
  }
}

}  // namespace qy::app
