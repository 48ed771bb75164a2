// The five layout toolbars and the keyword bar: built from the toolbar
// table, laid out by the layout file, and docked where they were left.
#include <QToolButton>
#include <algorithm>
#include <tuple>

#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/toolbar_icons.h"

namespace qy::app {

namespace {

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
  for (const ToolbarItemState& state : ApplyToolbarLayout(layout)) {
    if (QAction* item = toolbar_items_[static_cast<std::size_t>(state.row->number)]) {
      item->setVisible(state.shown);
    }
  }
}

void MainWindow::SaveToolbarPositions() {
  IniFile& ini = settings_.file();
  for (QToolBar* bar : AllToolbars()) {
    const std::string section = bar->objectName().toStdString();
    if (bar->isFloating()) {
      ini.WriteString(section, "DockedTo", "Float");
      ini.WriteInt(section, "FloatLeft", bar->x());
      ini.WriteInt(section, "FloatTop", bar->y());
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
    ini.WriteString(section, "DockedTo", AreaName(area));
    ini.WriteInt(section, "DockRow", row);
    ini.WriteInt(section, "DockPos", Horizontal(area) ? bar->x() : bar->y());
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
    const std::string section = bars[i]->objectName().toStdString();
    // A floating bar comes back docked at the top: Qt can not float a bar
    // by program.
    const std::string docked = ini.ReadString(section, "DockedTo", "Top");
    places.push_back({AreaOf(docked), ini.ReadInt(section, "DockRow", DefaultRow(bars[i], i)),
                      ini.ReadInt(section, "DockPos", static_cast<int>(i)), i, bars[i]});
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
