#include "app/command_actions.h"

#include <QRegularExpression>
#include <set>

#include "app/key_sequence.h"
#include "shell/key_settings.h"

namespace qy::app {

namespace {

QString MenuCaption(const CommandRow& row) { return QString::fromUtf8(MenuCaptionUtf8(row)); }

}  // namespace

CommandActions::CommandActions(QWidget* window) : QObject(window), window_(window) {
  for (const CommandRow& row : CommandRows()) {
    if (row.IsGroup()) continue;
    auto* action = new QAction(MenuCaption(row), this);
    action->setObjectName(QString::fromLatin1(row.menu_item[0] ? row.menu_item : row.id));
    action->setStatusTip(QString::fromUtf8(row.hint));
    action->setToolTip(MenuCaption(row)
                           .remove(QStringLiteral("..."))
                           .remove(QRegularExpression(QStringLiteral("\\(&.\\)|&"))));
    action->setShortcutContext(Qt::WindowShortcut);
    action->setCheckable(row.Has(kCheckable));
    const CommandId command = row.number;
    connect(action, &QAction::triggered, this, [this, command] { emit commandTriggered(command); });
    window->addAction(action);
    actions_[static_cast<std::size_t>(row.number)] = action;
  }
}

QAction* CommandActions::action(CommandId command) const {
  if (command < 0 || command >= kCommandNumberCount) return nullptr;
  return actions_[static_cast<std::size_t>(command)];
}

QMenu* CommandActions::group_menu(CommandId command) const {
  if (command < 0 || command >= kCommandNumberCount) return nullptr;
  return groups_[static_cast<std::size_t>(command)];
}

QMenu* CommandActions::section_menu(CommandSection section) const {
  return sections_[static_cast<std::size_t>(section)];
}

void CommandActions::BuildMenus(QMenuBar* bar) {
  for (int s = 0; s < kCommandSectionCount; ++s) {
    const auto section = static_cast<CommandSection>(s);
    QMenu* menu = bar->addMenu(QString::fromUtf8(SectionMenuTitle(section)));
    menu->setObjectName(QStringLiteral("mnu") + QString::fromLatin1(SectionName(section)));
    sections_[static_cast<std::size_t>(s)] = menu;
    QMenu* group = nullptr;
    // The exit command ends the File menu although later numbers (commands
    // added since) follow it in the table.
    const CommandRow* last = nullptr;
    for (const CommandRow& row : CommandsInSection(section)) {
      if (row.number == kCmdExit) {
        last = &row;
        continue;
      }
      QMenu* target = row.level == kLevelGroupItem && group ? group : menu;
      if (row.Has(kSeparatorBefore)) target->addSeparator();
      if (row.IsGroup()) {
        group = menu->addMenu(MenuCaption(row));
        groups_[static_cast<std::size_t>(row.number)] = group;
        continue;
      }
      target->addAction(action(row.number));
    }
    if (last != nullptr) {
      if (last->Has(kSeparatorBefore)) menu->addSeparator();
      menu->addAction(action(last->number));
    }
  }
}

void CommandActions::FillEditorPopup(QMenu* menu) const { FillPopup(menu, CommandPopup::kEditor); }

void CommandActions::FillTreePopup(QMenu* menu) const { FillPopup(menu, CommandPopup::kTree); }

void CommandActions::FillPopup(QMenu* menu, CommandPopup popup) const {
  for (const CommandRow& row : CommandRows()) {
    if (row.popup != popup) continue;
    if (row.Has(kSeparatorBefore) && !menu->isEmpty()) menu->addSeparator();
    menu->addAction(action(row.number));
  }
}

int CommandActions::ApplyShortcuts(const std::optional<std::string>& key_file) {
  for (QAction* a : actions_) {
    if (a) a->setShortcut(QKeySequence());
  }
  std::vector<AppliedShortcut> applied = ApplyKeySettings(key_file);
  for (int slot = 0; slot < kMacroSlotCount; ++slot) {
    applied.push_back({MacroSlotRow(slot), RegisteredMacroShortcut(key_file, slot)});
  }
  // A combination two commands share would make Qt refuse both; the first
  // in table order keeps it.
  std::set<QKeySequence> used;
  int refused = 0;
  for (const AppliedShortcut& item : applied) {
    QAction* a = item.row ? action(item.row->number) : nullptr;
    if (!a || !item.key) continue;
    std::optional<QKeySequence> sequence = ToKeySequence(*item.key);
    if (!sequence) continue;
    if (!used.insert(*sequence).second) {
      ++refused;
      continue;
    }
    a->setShortcut(*sequence);
  }
  return refused;
}

}  // namespace qy::app
