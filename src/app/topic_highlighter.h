// Markup highlighting in the topic editor, over the topic reader's line
// scanner: control words, hotspot text, hidden targets, picture commands,
// footnotes and escapes each in a colour of their own, and a brace that
// closes nothing marked. Each text block keeps the scanner's end state, so
// an edit re-scans only its own line and the lines whose start state it
// changed.
#pragma once

#include <QColor>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace qy::app {

// One colour per kind of markup; the options' font-and-colour scenes can
// hand in others.
struct HighlightColours {
  QColor control_word{0x00, 0x00, 0xc0};
  QColor escape{0x90, 0x00, 0x90};
  QColor group{0x70, 0x50, 0x00};
  QColor unmatched_text{0xff, 0xff, 0xff};
  QColor unmatched_back{0xd0, 0x00, 0x00};
  QColor hotspot{0x00, 0x80, 0x00};
  QColor hidden{0x80, 0x80, 0x80};
  QColor picture{0xb0, 0x50, 0x00};
  QColor footnote{0xc0, 0x30, 0x60};
};

class TopicHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  explicit TopicHighlighter(QTextDocument* document,
                            const HighlightColours& colours = HighlightColours());
  void SetColours(const HighlightColours& colours);

 protected:
  void highlightBlock(const QString& text) override;

 private:
  QTextCharFormat formats_[9];
};

}  // namespace qy::app
