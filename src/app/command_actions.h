// One QAction per command of the command table, and the menus, shortcut
// menus and shortcuts built from the table's rows.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <array>
#include <optional>
#include <string>

#include "shell/command_table.h"

namespace qy::app {

class CommandActions : public QObject {
  Q_OBJECT

 public:
  // The actions are added to `window` so that their shortcuts work even
  // when their menu item is hidden.
  explicit CommandActions(QWidget* window);

  // The action of `command`; null for group headings and kCmdNone.
  QAction* action(CommandId command) const;
  // The submenu of group heading `command`; null for other rows.
  QMenu* group_menu(CommandId command) const;
  QMenu* section_menu(CommandSection section) const;

  // The seven menus with their items, submenus and separators, in table
  // order.
  void BuildMenus(QMenuBar* bar);
  // The editor's shortcut menu and the page tree's pop-up: the rows that
  // join them, in table order.
  void FillEditorPopup(QMenu* menu) const;
  void FillTreePopup(QMenu* menu) const;

  // Gives every menu item the shortcut of the key file (the defaults when
  // `key_file` is nullopt: there is none). Returns how many shortcuts could
  // not be used because another command has the same one.
  int ApplyShortcuts(const std::optional<std::string>& key_file);

 signals:
  void commandTriggered(qy::CommandId command);

 private:
  std::array<QAction*, kCommandNumberCount> actions_{};
  std::array<QMenu*, kCommandNumberCount> groups_{};
  std::array<QMenu*, kCommandSectionCount> sections_{};
  QWidget* window_;

  void FillPopup(QMenu* menu, CommandPopup popup) const;
};

}  // namespace qy::app
