#include "app/command_actions.h"

#include <QRegularExpression>
#include <set>
#include <string_view>

#include "app/menu_texts.h"
#include "shell/key_settings.h"

namespace qy::app {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

CommandActions::CommandActions(QWidget* window) : QObject(window), window_(window) {
  for (const CommandRow& row : CommandRows()) {
    if (row.IsGroup()) continue;
    auto* action = new QAction(MenuCaption(row), this);
    action->setObjectName(QString::fromLatin1(row.menu_item[0] ? row.menu_item : row.id));
    action->setStatusTip(MenuHint(row.number));
    action->setToolTip(MenuCaption(row).remove(QStringLiteral("...")).remove(
        QRegularExpression(QStringLiteral("\\(&.\\)|&"))));
    action->setShortcutContext(Qt::WindowShortcut);
    const int number = row.number;
    connect(action, &QAction::triggered, this, [this, number] { emit commandTriggered(number); });
    window->addAction(action);
    actions_[static_cast<std::size_t>(row.number)] = action;
  }
}

QAction* CommandActions::action(int number) const {
  if (number < 0 || number >= kCommandNumberCount) return nullptr;
  return actions_[static_cast<std::size_t>(number)];
}

QMenu* CommandActions::group_menu(int number) const {
  if (number < 0 || number >= kCommandNumberCount) return nullptr;
  return groups_[static_cast<std::size_t>(number)];
}

QMenu* CommandActions::section_menu(CommandSection section) const {
  return sections_[static_cast<std::size_t>(section)];
}

void CommandActions::BuildMenus(QMenuBar* bar) {
  for (int s = 0; s < kCommandSectionCount; ++s) {
    const auto section = static_cast<CommandSection>(s);
    QMenu* menu = bar->addMenu(SectionMenuTitle(section));
    menu->setObjectName(QStringLiteral("mnu") + QString::fromLatin1(SectionName(section)));
    sections_[static_cast<std::size_t>(s)] = menu;
    QMenu* group = nullptr;
    for (const CommandRow& row : CommandsInSection(section)) {
      QMenu* target = row.level == kLevelGroupItem && group ? group : menu;
      if (SeparatorBefore(row.number)) target->addSeparator();
      if (row.IsGroup()) {
        group = menu->addMenu(MenuCaption(row));
        groups_[static_cast<std::size_t>(row.number)] = group;
        continue;
      }
      target->addAction(action(row.number));
    }
  }
}

void CommandActions::FillEditorPopup(QMenu* menu) const {
  for (const CommandRow& row : CommandRows()) {
    const std::string_view item = row.popup_item;
    if (StartsWith(item, "mnuPns") || StartsWith(item, "mnuPum") || StartsWith(item, "mnuEtc")) {
      if (SeparatorBefore(row.number) && !menu->isEmpty()) menu->addSeparator();
      menu->addAction(action(row.number));
    }
  }
}

void CommandActions::FillTreePopup(QMenu* menu) const {
  for (const CommandRow& row : CommandRows()) {
    if (StartsWith(row.popup_item, "mnuPop")) {
      if (SeparatorBefore(row.number) && !menu->isEmpty()) menu->addSeparator();
      menu->addAction(action(row.number));
    }
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
