// Markup highlighting in the topic editor: the classes land on the right
// characters (double-byte text included), states carry across lines and
// follow edits, and highlighting never counts as a change of the text.
#include "app/topic_highlighter.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "app/topic_editor.h"
#include "core/codec.h"

using qy::app::HighlightColours;
using qy::app::TopicEditor;
using qy::app::TopicHighlighter;

namespace {

// The colour each character of `block` is drawn in ('-' for none).
QString Colours(const QTextBlock& block, const HighlightColours& c) {
  QString out(block.text().size(), QChar('-'));
  for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
    const QColor colour = range.format.foreground().color();
    QChar mark = '?';
    if (range.format.background().color() == c.unmatched_back)
      mark = '!';
    else if (colour == c.control_word)
      mark = 'c';
    else if (colour == c.hotspot)
      mark = 'h';
    else if (colour == c.hidden)
      mark = 'v';
    else if (colour == c.group)
      mark = 'g';
    else if (colour == c.escape)
      mark = 'e';
    else if (colour == c.picture)
      mark = 'p';
    else if (colour == c.footnote)
      mark = 'f';
    for (int i = range.start; i < range.start + range.length; ++i) out[i] = mark;
  }
  return out;
}

}  // namespace

class TopicHighlighterTest : public QObject {
  Q_OBJECT

 private slots:
  void ClassesFollowCharactersAndLines() {
    TopicEditor editor;
    const HighlightColours colours;
    new TopicHighlighter(editor.document(), colours);
    // ソ and 表 have trail bytes 5C (a backslash); they stay plain text.
    editor.SetText(qy::Sjis("ソ{\\uldb 表\r\n次}{\\v X}}\r\n\\{bmc a.bmp\\}\\'82"));
    QTextBlock first = editor.document()->begin();
    QCOMPARE(Colours(first, colours), QStringLiteral("-gcccccch"));
    QCOMPARE(Colours(first.next(), colours), QStringLiteral("hggcccvg!"));
    QCOMPARE(Colours(first.next().next(), colours), QStringLiteral("pppppppppppppeeee"));

    // Closing the hotspot on the first line changes how the second starts.
    QTextCursor cursor(first);
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(QStringLiteral("}"));
    QCOMPARE(Colours(first.next(), colours), QStringLiteral("-!gcccvg!"));
  }

  void HighlightingIsNoEdit() {
    TopicEditor editor;
    int changes = 0;
    editor.on_text_changed = [&changes](const std::string&) { ++changes; };
    auto* highlighter = new TopicHighlighter(editor.document());
    const std::string text = qy::Sjis("{\\b 太字}\r\n{\\uldb A}{\\v B}");
    editor.SetText(text);
    QCOMPARE(changes, 1);
    highlighter->SetColours(HighlightColours());  // re-highlights every line
    QCOMPARE(changes, 1);
    QVERIFY(!editor.document()->isModified());
    QVERIFY(!editor.CanUndo());
    QCOMPARE(editor.Text(), text);
  }
};

QTEST_MAIN(TopicHighlighterTest)
#include "topic_highlighter_test.moc"
