#include "app/key_sequence.h"

#include <cstdlib>
#include <map>
#include <string_view>

namespace qy::app {

std::optional<QKeySequence> ToKeySequence(const KeyCombo& combo) {
  static const std::map<std::string_view, int> named = {
      {"Ins", Qt::Key_Insert},  {"Del", Qt::Key_Delete},   {"BkSp", Qt::Key_Backspace},
      {"Esc", Qt::Key_Escape},  {"Enter", Qt::Key_Return}, {"Tab", Qt::Key_Tab},
      {"Space", Qt::Key_Space}, {"PgUp", Qt::Key_PageUp},  {"PgDn", Qt::Key_PageDown},
      {"Home", Qt::Key_Home},   {"End", Qt::Key_End},      {"Up", Qt::Key_Up},
      {"Down", Qt::Key_Down},   {"Left", Qt::Key_Left},    {"Right", Qt::Key_Right},
  };
  int key = 0;
  const std::string& name = combo.key;
  if (auto it = named.find(name); it != named.end()) {
    key = it->second;
  } else if (name.size() == 1 &&
             ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9'))) {
    key = name[0];
  } else if (name.size() >= 2 && name[0] == 'F') {
    const int n = std::atoi(name.c_str() + 1);
    if (n < 1 || n > 12) return std::nullopt;
    key = Qt::Key_F1 + n - 1;
  } else {
    return std::nullopt;
  }
  Qt::KeyboardModifiers modifiers;
  if (combo.shift) modifiers |= Qt::ShiftModifier;
  if (combo.ctrl) modifiers |= Qt::ControlModifier;
  if (combo.alt) modifiers |= Qt::AltModifier;
  return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(key)));
}

}  // namespace qy::app
