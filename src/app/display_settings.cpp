#include "app/display_settings.h"

#include "app/qt_text.h"

namespace qy::app {

QColor ColorFromSetting(int value, const QPalette& palette) {
  if (value == kSystemWindowText) return palette.color(QPalette::Active, QPalette::Text);
  if (value == kSystemWindowBackground) return palette.color(QPalette::Active, QPalette::Base);
  const auto bits = static_cast<unsigned>(value);
  return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                static_cast<int>((bits >> 16) & 0xFF));
}

void ApplyFontStyle(QFont& font, int style) {
  font.setItalic(style == 1 || style == 3);
  font.setBold(style == 2 || style == 3);
}

QFont FontFromSettings(const Settings& settings, const SettingKey& name, const SettingKey& size,
                       const SettingKey& style) {
  QFont font(ToQt(settings.GetString(name)));
  const int points = settings.GetInt(size);
  // A size that no font has would make Qt warn and fall back anyway.
  font.setPointSize(points >= 4 && points <= 144 ? points : 9);
  ApplyFontStyle(font, settings.GetInt(style));
  return font;
}

}  // namespace qy::app
