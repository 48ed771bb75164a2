// Fonts and colours of the settings file in Qt's terms.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

#include "core/settings.h"

namespace qy::app {

// System colours a setting may name instead of a colour value.
inline constexpr int kSystemWindowText = -2147483640;
inline constexpr int kSystemWindowBackground = -2147483643;

// A colour value of the settings file: blue, green and red bytes from high
// to low, or one of the two system colours (taken from `palette`).
QColor ColorFromSetting(int value, const QPalette& palette);

// Font style numbers: 0 regular, 1 italic, 2 bold, 3 bold italic.
void ApplyFontStyle(QFont& font, int style);

// The font of one group of the settings file: name, size and style keys.
QFont FontFromSettings(const Settings& settings, const SettingKey& name, const SettingKey& size,
                       const SettingKey& style);

}  // namespace qy::app
