#include "app/topic_text_document.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>
#include <QUrl>
#include <cstdlib>

#include "app/qt_text.h"

namespace qy::app {

namespace {

using topic::Align;
using topic::BorderLine;
using topic::CharFormat;
using topic::Hotspot;
using topic::HotspotKind;
using topic::Inline;
using topic::InlineKind;
using topic::TabStop;

const QColor kHotspotGreen(0x00, 0x80, 0x00);
const QColor kNonScrollingBand(0xf0, 0xf0, 0xe8);

// Twips to pixels at 96 dots per inch.
qreal Pixels(int twips) { return twips / 15.0; }

Qt::Alignment QtAlign(Align align) {
  switch (align) {
    case Align::kCenter:
      return Qt::AlignHCenter;
    case Align::kRight:
      return Qt::AlignRight;
    case Align::kJustify:
      return Qt::AlignJustify;
    case Align::kLeft:
      break;
  }
  return Qt::AlignLeft;
}

QTextBlockFormat BlockFormat(const topic::ParagraphFormat& f, bool non_scrolling) {
  QTextBlockFormat block;
  block.setAlignment(QtAlign(f.align));
  block.setLeftMargin(Pixels(f.left_indent));
  block.setRightMargin(Pixels(f.right_indent));
  block.setTextIndent(Pixels(f.first_indent));
  block.setTopMargin(Pixels(f.space_before));
  block.setBottomMargin(Pixels(f.space_after));
  if (f.line_spacing != 0) {
    // Positive: at least this high; negative: exactly.
    block.setLineHeight(Pixels(std::abs(f.line_spacing)), f.line_spacing > 0
                                                              ? QTextBlockFormat::MinimumHeight
                                                              : QTextBlockFormat::FixedHeight);
  }
  QList<QTextOption::Tab> tabs;
  for (const TabStop& tab : f.tabs) {
    tabs.append(QTextOption::Tab(Pixels(tab.position), QTextOption::LeftTab));
  }
  if (!tabs.isEmpty()) block.setTabPositions(tabs);
  block.setNonBreakableLines(f.no_wrap);
  if (f.shading > 0) {
    const int level = 255 - 255 * f.shading / 10000;
    block.setBackground(QColor(level, level, level));
  } else if (non_scrolling) {
    block.setBackground(kNonScrollingBand);
  }
  return block;
}

QTextCharFormat CharacterFormat(const topic::Document& model, const CharFormat& f) {
  QTextCharFormat format;
  if (const topic::FontEntry* font = model.Font(f.font); font && !font->name.empty()) {
    format.setFontFamilies({ToQt(font->name)});
  }
  format.setFontPointSize(f.size / 2.0);
  const topic::Color colour = model.ColorAt(f.color);
  if (!colour.automatic) format.setForeground(QColor(colour.red, colour.green, colour.blue));
  if (f.bold) format.setFontWeight(QFont::Bold);
  format.setFontItalic(f.italic);
  if (f.superscript) format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
  if (f.subscript) format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
  return format;
}

void ApplyHotspot(QTextCharFormat& format, const Hotspot& hotspot) {
  const QString anchor = HotspotAnchor(hotspot);
  if (!anchor.isEmpty()) {
    format.setAnchor(true);
    format.setAnchorHref(anchor);
  }
  if (!hotspot.target.no_colour) format.setForeground(kHotspotGreen);
  if (hotspot.button) {
    format.setBackground(QColor(0xe0, 0xe0, 0xe0));
    return;
  }
  if (hotspot.target.no_underline) return;
  const bool popup = hotspot.kind == HotspotKind::kPopup ||
                     (hotspot.kind == HotspotKind::kMacro && hotspot.macro_popup);
  format.setUnderlineStyle(popup ? QTextCharFormat::DotLine : QTextCharFormat::SingleUnderline);
  if (!hotspot.target.no_colour) format.setUnderlineColor(kHotspotGreen);
}

// A picture Qt cannot read (or that is missing) still takes its place.
QImage Placeholder(const QString& name) {
  QImage image(160, 48, QImage::Format_RGB32);
  image.fill(QColor(0xf0, 0xf0, 0xf0));
  QPainter painter(&image);
  painter.setPen(QColor(0x80, 0x80, 0x80));
  painter.drawRect(0, 0, image.width() - 1, image.height() - 1);
  painter.drawText(image.rect().adjusted(4, 0, -4, 0), Qt::AlignCenter | Qt::TextWrapAnywhere,
                   name);
  return image;
}

void InsertPicture(QTextCursor& cursor, QTextDocument& document, const topic::Picture& picture,
                   const TopicLayoutOptions& options) {
  // A multi-resolution reference lists several files; the first is shown.
  std::string file = picture.file.substr(0, picture.file.find(';'));
  const QString name = ToQt(file);
  QString path = QString::fromStdString(options.picture_folder);
  if (!path.isEmpty() && !path.endsWith('/')) path += '/';
  path += QString::fromStdString(Cp932ToUtf8(file));
  QImage image;
  if (!file.empty()) image.load(path);
  if (image.isNull()) image = Placeholder(name.isEmpty() ? QStringLiteral("?") : name);
  const QUrl url(QStringLiteral("qypicture://%1/%2").arg(cursor.position()).arg(name));
  document.addResource(QTextDocument::ImageResource, url, image);
  QTextImageFormat format;
  format.setName(url.toString());
  format.setWidth(image.width());
  format.setHeight(image.height());
  format.setToolTip(name);
  if (picture.position == 'l') {
    cursor.insertImage(format, QTextFrameFormat::FloatLeft);
  } else if (picture.position == 'r') {
    cursor.insertImage(format, QTextFrameFormat::FloatRight);
  } else {
    cursor.insertImage(format);
  }
}

// A box around a paragraph is a frame; single border lines are drawn as
// rules above or below it.
void InsertRule(QTextCursor& cursor, BorderLine line) {
  QTextBlockFormat rule;
  rule.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                   QTextLength(QTextLength::PercentageLength, 100));
  rule.setLineHeight(line == BorderLine::kDouble || line == BorderLine::kThick ? 4 : 2,
                     QTextBlockFormat::FixedHeight);
  cursor.insertBlock(rule, QTextCharFormat());
}

}  // namespace

QString HotspotAnchor(const Hotspot& hotspot) {
  const std::string* context = &hotspot.target.context;
  bool popup = hotspot.kind == HotspotKind::kPopup;
  if (hotspot.kind == HotspotKind::kMacro) {
    if (hotspot.macro_context.empty()) {
      return QString(kMacroScheme) + ":" + ToQt(hotspot.target.macro);
    }
    context = &hotspot.macro_context;
    popup = hotspot.macro_popup;
  }
  if (context->empty()) return {};
  return QString(popup ? kPopupScheme : kJumpScheme) + ":" + ToQt(*context);
}

void LayOutTopic(QTextDocument& document, const topic::Document& model, const topic::Topic& topic,
                 const TopicLayoutOptions& options) {
  document.clear();
  QTextCursor cursor(&document);
  const std::size_t fixed = topic.NonScrollingCount();
  bool first_block = true;
  for (std::size_t i = 0; i < topic.paragraphs.size(); ++i) {
    const topic::Paragraph& paragraph = topic.paragraphs[i];
    const topic::Borders& borders = paragraph.format.borders;
    const bool box = borders.box || (borders.left && borders.right);
    if (borders.top && !box) {
      if (first_block) {
        cursor.setBlockFormat(QTextBlockFormat());
        first_block = false;
      }
      InsertRule(cursor, borders.line);
    }
    QTextFrame* frame = nullptr;
    if (box) {
      QTextFrameFormat frame_format;
      frame_format.setBorder(
          borders.line == BorderLine::kThick || borders.line == BorderLine::kDouble ? 3 : 1);
      frame_format.setBorderStyle(
          borders.line == BorderLine::kDotted   ? QTextFrameFormat::BorderStyle_Dotted
          : borders.line == BorderLine::kDouble ? QTextFrameFormat::BorderStyle_Double
                                                : QTextFrameFormat::BorderStyle_Solid);
      frame_format.setPadding(4);
      frame = cursor.insertFrame(frame_format);
      first_block = true;
    }
    const QTextBlockFormat block = BlockFormat(paragraph.format, i < fixed);
    if (first_block) {
      cursor.setBlockFormat(block);
      first_block = false;
    } else {
      cursor.insertBlock(block);
    }
    for (const Inline& item : paragraph.inlines) {
      if (item.kind == InlineKind::kHidden) continue;
      QTextCharFormat format = CharacterFormat(model, item.format);
      if (item.hotspot >= 0) {
        ApplyHotspot(format, topic.hotspots[static_cast<std::size_t>(item.hotspot)]);
      }
      switch (item.kind) {
        case InlineKind::kText:
          cursor.insertText(ToQt(item.text), format);
          break;
        case InlineKind::kLineBreak:
          cursor.insertText(QString(QChar::LineSeparator), format);
          break;
        case InlineKind::kTab:
          cursor.insertText(QStringLiteral("\t"), format);
          break;
        case InlineKind::kPicture:
          InsertPicture(cursor, document, topic.pictures[static_cast<std::size_t>(item.picture)],
                        options);
          break;
        case InlineKind::kEmbedded:
        case InlineKind::kHidden:
          break;
      }
    }
    if (frame != nullptr) {
      cursor = frame->lastCursorPosition();
      cursor.movePosition(QTextCursor::NextBlock);  // the block after the frame
      first_block = true;
    }
    if (borders.bottom && !box) InsertRule(cursor, borders.line);
  }
}

}  // namespace qy::app
