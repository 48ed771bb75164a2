// The Qt form of a shortcut of the key file.
#pragma once

#include <QKeySequence>
#include <optional>

#include "shell/key_settings.h"

namespace qy::app {

// The Qt form of a key combination; nullopt for a key name Qt does not know.
std::optional<QKeySequence> ToKeySequence(const KeyCombo& combo);

}  // namespace qy::app
