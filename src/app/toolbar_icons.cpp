#include "app/toolbar_icons.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <map>
#include <string>

namespace qy::app {

namespace {

struct Glyph {
  const char* text;  // UTF-8
  unsigned rgb;
};

const std::map<std::string, Glyph, std::less<>>& Glyphs() {
  static const std::map<std::string, Glyph, std::less<>> glyphs = {
      {"NewPro", {"新", 0x2e7d32}},   {"OpenPro", {"開", 0xb8860b}}, {"SavePro", {"保", 0x1565c0}},
      {"HelpMake", {"作", 0xc62828}}, {"HelpWiz", {"W", 0x6a1b9a}},  {"Cut", {"切", 0x455a64}},
      {"Copy", {"複", 0x455a64}},     {"Paste", {"貼", 0x455a64}},   {"Undo", {"戻", 0x455a64}},
      {"Intelli", {"{}", 0x00838f}},  {"NewFind", {"検", 0x283593}}, {"NextFind", {"▼", 0x283593}},
      {"BackFind", {"▲", 0x283593}},  {"Find", {"置", 0x283593}},    {"Context", {"→", 0x00695c}},
      {"NewPage", {"頁", 0x2e7d32}},  {"PageWiz", {"W", 0x2e7d32}},  {"CutPage", {"切", 0x795548}},
      {"CopyPage", {"複", 0x795548}}, {"PastePage", {"貼", 0x795548}}, {"DelPage", {"×", 0xc62828}},
      {"PageDown", {"↓", 0x5d4037}},  {"PageUp", {"↑", 0x5d4037}},   {"Property", {"P", 0x37474f}},
      {"PageProp", {"属", 0x37474f}}, {"Editor", {"E", 0x4e342e}},   {"Preview", {"見", 0x0277bd}},
      {"PageBack", {"◀", 0x0277bd}},  {"PageNext", {"▶", 0x0277bd}}, {"PageHis", {"歴", 0x0277bd}},
      {"BmpIn", {"画", 0x558b2f}},    {"ExsIn", {"M", 0x8e24aa}},    {"Jump", {"J", 0x1b5e20}},
      {"Popup", {"P", 0x1b5e20}},     {"KLink", {"K", 0x1b5e20}},    {"ALink", {"A", 0x1b5e20}},
      {"HLink", {"H", 0x1b5e20}},     {"Indent", {"⇥", 0x424242}},   {"LineSpe", {"≡", 0x424242}},
      {"Font", {"F", 0x424242}},      {"Bold", {"B", 0x212121}},     {"Italic", {"I", 0x212121}},
      {"Left", {"⇤", 0x424242}},      {"Center", {"↔", 0x424242}},   {"Right", {"⇥", 0x424242}},
      {"Etc", {"…", 0x424242}},
  };
  return glyphs;
}

}  // namespace

QIcon ToolbarIcon(std::string_view key) {
  const auto& glyphs = Glyphs();
  auto it = glyphs.find(key);
  if (it == glyphs.end()) return {};
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor::fromRgb(it->second.rgb));
  painter.drawRoundedRect(QRectF(2, 2, 28, 28), 6, 6);
  QFont font = painter.font();
  font.setPixelSize(19);
  font.setBold(true);
  if (key == "Italic") font.setItalic(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QString::fromUtf8(it->second.text));
  painter.end();
  return QIcon(pixmap);
}

}  // namespace qy::app
