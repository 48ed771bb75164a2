#include "app/toolbar_icons.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QStandardPaths>
#include <QStringList>
#include <QStyle>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "project/page_tree.h"

namespace qy::app {

namespace {

// Installed themes tried, in order, when the desktop names none.
constexpr const char* kThemes[] = {"breeze", "Adwaita"};

struct ButtonImage {
  // Theme names, the first one the theme has wins; empty: always the glyph.
  std::vector<const char*> names;
  const char* glyph;  // UTF-8, drawn when the theme has none of the names
  unsigned rgb;
};

const std::map<std::string, ButtonImage, std::less<>>& ButtonImages() {
  static const std::map<std::string, ButtonImage, std::less<>> images = {
      {"NewPro", {{"document-new"}, "新", 0x2e7d32}},
      {"OpenPro", {{"document-open"}, "開", 0xb8860b}},
      {"SavePro", {{"document-save"}, "保", 0x1565c0}},
      {"HelpMake", {{"run-build", "system-run"}, "作", 0xc62828}},
      {"HelpWiz", {{"tools-wizard"}, "W", 0x6a1b9a}},
      {"Cut", {{"edit-cut"}, "切", 0x455a64}},
      {"Copy", {{"edit-copy"}, "複", 0x455a64}},
      {"Paste", {{"edit-paste"}, "貼", 0x455a64}},
      {"Undo", {{"edit-undo"}, "戻", 0x455a64}},
      {"Intelli", {{"edit-select"}, "{}", 0x00838f}},
      {"NewFind", {{"edit-find"}, "検", 0x283593}},
      {"NextFind", {{"go-down-search", "go-down"}, "▼", 0x283593}},
      {"BackFind", {{"go-up-search", "go-up"}, "▲", 0x283593}},
      {"Find", {{"edit-find-replace"}, "置", 0x283593}},
      {"Context", {{"go-jump"}, "→", 0x00695c}},
      {"NewPage", {{"list-add"}, "頁", 0x2e7d32}},
      {"PageWiz", {{"document-new-from-template"}, "W", 0x2e7d32}},
      {"CutPage", {{"edit-cut"}, "切", 0x795548}},
      {"CopyPage", {{"edit-copy"}, "複", 0x795548}},
      {"PastePage", {{"edit-paste"}, "貼", 0x795548}},
      {"DelPage", {{"edit-delete"}, "×", 0xc62828}},
      {"PageDown", {{"go-down"}, "↓", 0x5d4037}},
      {"PageUp", {{"go-up"}, "↑", 0x5d4037}},
      {"Property", {{"configure", "preferences-system"}, "P", 0x37474f}},
      {"PageProp", {{"document-properties"}, "属", 0x37474f}},
      {"Editor", {{"accessories-text-editor"}, "E", 0x4e342e}},
      {"Preview", {{"document-preview", "document-print-preview"}, "見", 0x0277bd}},
      {"PageBack", {{"go-previous"}, "◀", 0x0277bd}},
      {"PageNext", {{"go-next"}, "▶", 0x0277bd}},
      {"PageHis", {{"view-history", "document-open-recent"}, "歴", 0x0277bd}},
      {"BmpIn", {{"insert-image"}, "画", 0x558b2f}},
      {"ExsIn", {{"system-run"}, "M", 0x8e24aa}},
      // The four link kinds of help topics have no standard images.
      {"Jump", {{}, "J", 0x1b5e20}},
      {"Popup", {{}, "P", 0x1b5e20}},
      {"KLink", {{}, "K", 0x1b5e20}},
      {"ALink", {{}, "A", 0x1b5e20}},
      {"HLink", {{"insert-link"}, "H", 0x1b5e20}},
      {"Indent", {{"format-indent-more"}, "⇥", 0x424242}},
      {"LineSpe", {{"format-line-spacing-normal"}, "≡", 0x424242}},
      {"Font", {{"preferences-desktop-font"}, "F", 0x424242}},
      {"Bold", {{"format-text-bold"}, "B", 0x212121}},
      {"Italic", {{"format-text-italic"}, "I", 0x212121}},
      {"Left", {{"format-justify-left"}, "⇤", 0x424242}},
      {"Center", {{"format-justify-center"}, "↔", 0x424242}},
      {"Right", {{"format-justify-right"}, "⇥", 0x424242}},
      {"Etc", {{}, "…", 0x424242}},
  };
  return images;
}

bool ThemeInstalled(const QString& theme) {
  for (const QString& folder : QIcon::themeSearchPaths()) {
    if (QFileInfo::exists(QDir(folder).filePath(theme + QStringLiteral("/index.theme")))) {
      return true;
    }
  }
  return false;
}

QIcon Glyph(const ButtonImage& image, bool italic) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor::fromRgb(image.rgb));
  painter.drawRoundedRect(QRectF(3, 3, 26, 26), 5, 5);
  QFont font = painter.font();
  font.setPixelSize(18);
  font.setBold(true);
  font.setItalic(italic);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QString::fromUtf8(image.glyph));
  painter.end();
  return QIcon(pixmap);
}

QIcon Themed(std::initializer_list<const char*> names, QStyle::StandardPixmap fallback) {
  for (const char* name : names) {
    if (QIcon::hasThemeIcon(QString::fromLatin1(name)))
      return QIcon::fromTheme(QString::fromLatin1(name));
  }
  return QApplication::style()->standardIcon(fallback);
}

}  // namespace

QString SelectIconTheme() {
  // A platform without a desktop theme (offscreen, a bare window system)
  // may look only inside the program; the installed themes live in the
  // desktop's data folders.
  QStringList paths = QIcon::themeSearchPaths();
  for (const QString& folder :
       QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                 QStandardPaths::LocateDirectory)) {
    if (!paths.contains(folder)) paths << folder;
  }
  QIcon::setThemeSearchPaths(paths);
  const QString named = QIcon::themeName();
  const bool desktop_named = !named.isEmpty() && named != QLatin1String("hicolor");
  for (const char* candidate : kThemes) {
    const QString theme = QString::fromLatin1(candidate);
    if (!ThemeInstalled(theme)) continue;
    // A desktop theme keeps its place; ours fills its gaps.
    if (desktop_named) {
      QIcon::setFallbackThemeName(theme);
    } else {
      QIcon::setThemeName(theme);
    }
    break;
  }
  return QIcon::themeName();
}

QIcon ApplicationIcon() {
  return QIcon::fromTheme(QStringLiteral("quillory"), QIcon(QStringLiteral(":/quillory.svg")));
}

QIcon ToolbarIcon(std::string_view key) {
  const auto& images = ButtonImages();
  auto it = images.find(key);
  if (it == images.end()) return {};
  for (const char* name : it->second.names) {
    if (QIcon::hasThemeIcon(QString::fromLatin1(name)))
      return QIcon::fromTheme(QString::fromLatin1(name));
  }
  return Glyph(it->second, key == "Italic");
}

QIcon PageImageIcon(int image) {
  switch (image) {
    case kOpenBookImage:
      return Themed({"folder-open"}, QStyle::SP_DirOpenIcon);
    case kBookImage:
      return Themed({"help-contents", "folder"}, QStyle::SP_DirClosedIcon);
    case kPopupImage:
      return Themed({"dialog-information"}, QStyle::SP_MessageBoxInformation);
    case kContentImage:
      return Themed({"system-run"}, QStyle::SP_MediaPlay);
    case kIncludeImage:
      return Themed({"insert-link"}, QStyle::SP_FileLinkIcon);
    default:
      return Themed({"text-x-generic"}, QStyle::SP_FileIcon);
  }
}

QIcon PageKindIcon(PageAttribute attribute, bool expanded) {
  const int image = PageImage(attribute);
  return PageImageIcon(expanded && image == kBookImage ? kOpenBookImage : image);
}

}  // namespace qy::app
