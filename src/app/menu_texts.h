// What the menus show for each command of the command table: the caption
// with its access key and the hint of the status bar. The command table
// holds the key-tree captions; these are the menu forms of the same rows.
#pragma once

#include <QKeySequence>
#include <QString>
#include <optional>

#include "shell/command_table.h"
#include "shell/key_settings.h"

namespace qy::app {

// The menu caption of `row` ("新規プロジェクト(&N)"); the key-tree caption
// when the row has no menu form of its own.
QString MenuCaption(const CommandRow& row);
// The status-bar hint of command `number`, empty when it has none.
QString MenuHint(int number);
// Whether the menus put a separator line before command `number`.
bool SeparatorBefore(int number);
// The caption of the top-level menu of `section` ("ファイル(&F)").
QString SectionMenuTitle(CommandSection section);

// The Qt form of a key combination; nullopt for a key name Qt does not know.
std::optional<QKeySequence> ToKeySequence(const KeyCombo& combo);

}  // namespace qy::app
