#include "app/topic_highlighter.h"

#include <QSignalBlocker>
#include <QTextDocument>
#include <functional>
#include <vector>

#include "app/qt_text.h"
#include "core/cp932.h"
#include "topic/line_scan.h"

namespace qy::app {

namespace {

using topic::Span;

// Spans arrive in Shift-JIS byte offsets; the block speaks UTF-16.
class FormatSink : public topic::SpanSink {
 public:
  FormatSink(const std::vector<int>& to_utf16, const QTextCharFormat* formats,
             std::function<void(int, int, const QTextCharFormat&)> set_format)
      : to_utf16_(to_utf16), formats_(formats), set_format_(std::move(set_format)) {}
  void OnSpan(std::size_t offset, std::size_t length, Span span) override {
    if (span == Span::kText) return;
    const int start = to_utf16_[offset];
    const int end = to_utf16_[offset + length];
    if (end > start) set_format_(start, end - start, formats_[static_cast<int>(span)]);
  }

 private:
  const std::vector<int>& to_utf16_;
  const QTextCharFormat* formats_;
  std::function<void(int, int, const QTextCharFormat&)> set_format_;
};

bool IsDuplicateMarkerAt(const QString& text, qsizetype i) {
  if (!text[i].isHighSurrogate() || i + 1 >= text.size()) return false;
  return IsDuplicateMarker(QChar::surrogateToUcs4(text[i], text[i + 1]));
}

}  // namespace

TopicHighlighter::TopicHighlighter(QTextDocument* document, const HighlightColours& colours)
    : QSyntaxHighlighter(document) {
  SetColours(colours);
}

void TopicHighlighter::SetColours(const HighlightColours& c) {
  auto fore = [this](Span span, const QColor& colour) {
    formats_[static_cast<int>(span)].setForeground(colour);
  };
  fore(Span::kControlWord, c.control_word);
  fore(Span::kEscape, c.escape);
  fore(Span::kGroup, c.group);
  fore(Span::kUnmatched, c.unmatched_text);
  formats_[static_cast<int>(Span::kUnmatched)].setBackground(c.unmatched_back);
  fore(Span::kHotspotText, c.hotspot);
  formats_[static_cast<int>(Span::kHotspotText)].setFontUnderline(true);
  fore(Span::kHiddenTarget, c.hidden);
  formats_[static_cast<int>(Span::kHiddenTarget)].setFontItalic(true);
  fore(Span::kPicture, c.picture);
  fore(Span::kFootnote, c.footnote);
  // New colours are no edit: the document must not tell the editor (and so
  // the page) that its text changed. The layout still hears of it.
  if (document() != nullptr) {
    const QSignalBlocker quiet(document());
    rehighlight();
  }
}

void TopicHighlighter::highlightBlock(const QString& text) {
  const std::string line = FromQt(text);
  // Byte offset -> UTF-16 offset. The codec gives every character but a
  // duplicate marker its own bytes, so the two walk in step.
  std::vector<int> to_utf16(line.size() + 1, static_cast<int>(text.size()));
  std::size_t byte = 0;
  for (qsizetype i = 0; i < text.size() && byte < line.size();) {
    const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
    if (pair && IsDuplicateMarkerAt(text, i)) {
      i += 2;
      continue;
    }
    const std::size_t width = CharLengthAt(line, byte);
    for (std::size_t k = 0; k < width; ++k) to_utf16[byte + k] = static_cast<int>(i);
    byte += width;
    i += pair ? 2 : 1;
  }
  FormatSink sink(to_utf16, formats_, [this](int start, int count, const QTextCharFormat& format) {
    setFormat(start, count, format);
  });
  const topic::LineState start = topic::LineState::Unpack(previousBlockState());
  setCurrentBlockState(topic::ScanLine(line, start, sink).Pack());
}

}  // namespace qy::app
