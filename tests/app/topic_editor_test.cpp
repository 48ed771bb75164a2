// The topic editor widget: Shift-JIS byte offsets over the lossless codec,
// bytes that survive editing, typing, read-only pages, the one-step undo,
// and the markup highlighting: classes on the right characters, states
// carried across lines and edits, and never a change of the text.
#include "app/topic_editor.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <random>
#include <string>

#include "app/qt_text.h"
#include "app/topic_highlighter.h"
#include "core/codec.h"
#include "core/cp932.h"

using qy::app::HighlightColours;
using qy::app::TopicEditor;
using qy::app::TopicHighlighter;

namespace {

QString Hex(const std::string& bytes) {
  QString out;
  for (unsigned char c : bytes) out += QString::asprintf("%02X ", c);
  return out.trimmed();
}

// The document's text as Shift-JIS, encoded block by block from scratch.
std::string EncodeWholeDocument(const TopicEditor& editor) {
  std::string text;
  for (QTextBlock b = editor.document()->begin(); b.isValid(); b = b.next()) {
    if (b != editor.document()->begin()) text += "\r\n";
    text += qy::app::FromQt(b.text());
  }
  return text;
}

// Keys that produce text outside Latin-1, as an input method commits it.
void Type(QWidget* widget, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
  QCoreApplication::sendEvent(widget, &press);
}

// "a" "あ" "ｱ" undefined pair 85 40, stray 80, duplicate code 87 90 (a
// character plus its marker), "b", CR LF, "c".
const std::string kMixed =
    std::string("a") + qy::Sjis("あｱ") + "\x85\x40" + "\x80" + "\x87\x90" + "b\r\nc";

// The colour each character of `block` is drawn in ('-' for none, '!' for
// the unmatched brace's background).
QString Colours(const QTextBlock& block, const HighlightColours& c) {
  const std::pair<QColor, char> marks[] = {
      {c.control_word, 'c'}, {c.hotspot, 'h'}, {c.hidden, 'v'},  {c.group, 'g'},
      {c.escape, 'e'},       {c.picture, 'p'}, {c.footnote, 'f'}};
  QString out(block.text().size(), QChar('-'));
  for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
    QChar mark = range.format.background().color() == c.unmatched_back ? '!' : '?';
    for (const auto& [colour, letter] : marks) {
      if (mark == '?' && range.format.foreground().color() == colour) mark = letter;
    }
    for (int i = range.start; i < range.start + range.length; ++i) out[i] = mark;
  }
  return out;
}

}  // namespace

class TopicEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void byteOffsetsAroundWideAndReservedCharacters() {
    TopicEditor editor;
    editor.SetText(kMixed);
    QCOMPARE(Hex(editor.Text()), Hex(kMixed));

    editor.SetSelStart(-5);
    QCOMPARE(editor.SelStart(), 0);
    editor.SetSelStart(1000);
    QCOMPARE(editor.Col(), 1);
    // Behind the duplicate code the caret stands behind its marker too.
    editor.SetSelStart(9);
    QCOMPARE(editor.textCursor().position(), 10);
    QCOMPARE(editor.Col(), 9);

    // A selection end inside a character takes the whole character.
    editor.SetSelStart(1);
    editor.SetSelLength(1);
    QCOMPARE(Hex(editor.SelText()), Hex(qy::Sjis("あ")));
    editor.SetSelStart(9);
    editor.SetSelLength(2);  // "b" and half of CR LF
    QCOMPARE(Hex(editor.SelText()), Hex("b\r\n"));
    editor.SetSelLength(1 << 30);
    QCOMPARE(editor.SelLength(), 4);

    // Widget positions: a 0, あ 1, ｱ 2, pair 3-4, stray 5-6, ≒ 7, marker 8-9,
    // b 10, separator 11, c 12.
    const int bytes[] = {0, 1, 3, 4, 4, 6, 6, 7, 9, 9, 9, 10, 12, 13};
    for (int position = 0; position <= 13; ++position) {
      QTextCursor cursor(editor.document());
      cursor.setPosition(position);
      editor.setTextCursor(cursor);
      QCOMPARE(editor.SelStart(), bytes[position]);
    }
  }

  void oddBytesSurviveAndOffsetsStayOnCharacters() {
    TopicEditor editor;
    // Every byte, alone and between letters (where a lead byte takes the
    // next letter as its trail), and every lead byte before every byte.
    std::vector<std::string> texts = {kMixed};
    for (int b = 0; b < 256; ++b) {
      texts.push_back(std::string(1, static_cast<char>(b)));
      texts.push_back("A" + texts.back() + "z");
      if (!qy::IsLeadByte(static_cast<unsigned char>(b))) continue;
      for (int trail = 0; trail < 256; ++trail) {
        texts.push_back(std::string("a") + static_cast<char>(b) + static_cast<char>(trail) + "z");
      }
    }
    // Lone line breaks stay inside their line: one byte, no new row.
    for (const char* text : {"a\rb", "\r\r\n\n", "\n\r", "x\x81", "\x81\r\n", "", "\x81\n\x40"}) {
      texts.push_back(text);
    }
    for (const std::string& text : texts) {
      editor.SetText(text);
      QVERIFY2(editor.Text() == text, qPrintable(Hex(text)));
      for (std::size_t k = 0; k <= text.size() + 1; ++k) {
        // Inside a character or between CR and LF: the start of either.
        std::size_t start = qy::FloorCharBoundary(text, std::min(k, text.size()));
        if (start > 0 && start < text.size() && text.compare(start - 1, 2, "\r\n") == 0) --start;
        editor.SetSelStart(static_cast<int>(k));
        QCOMPARE(editor.SelStart(), static_cast<int>(start));
      }
    }
    editor.SetText("a\nbc\r\nd");
    QCOMPARE(editor.document()->blockCount(), 2);
    editor.SetSelStart(4);
    QCOMPARE(editor.Row(), 0);
    QCOMPARE(editor.Col(), 4);
  }

  void randomEditsKeepTheByteMapExact() {
    TopicEditor editor;
    std::mt19937 random(12345);
    const std::string pieces[] = {"a",        qy::Sjis("あ"), "\r\n", "\x85\x40", "\x80",
                                  "\x87\x90", qy::Sjis("ｱ"),  "\r",   "\n",       "\x81"};
    std::string model = "start\r\n" + qy::Sjis("日本") + "\x87\x90\r\nend";
    editor.SetText(model);
    for (int step = 0; step < 400; ++step) {
      if (step % 3 == 0) {
        // Through the document directly, as typing, pasting and the widget's
        // undo change it; the map must follow whatever range it reports.
        QTextCursor cursor(editor.document());
        const int size = editor.document()->characterCount() - 1;
        cursor.setPosition(static_cast<int>(random() % (size + 1)));
        if (cursor.position() > 0 &&
            editor.document()->characterAt(cursor.position()).isLowSurrogate()) {
          cursor.movePosition(QTextCursor::PreviousCharacter);
        }
        const char32_t reserved = 0x10FE80;
        const QString inserted[] = {"x", "\n", QString::fromUcs4(&reserved, 1),
                                    QStringLiteral("\u3042\n\u3044")};
        if (random() % 2) {
          cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor,
                              static_cast<int>(random() % 3));
        }
        cursor.insertText(inserted[random() % std::size(inserted)]);
        model = EncodeWholeDocument(editor);
      } else {
        const int total = static_cast<int>(model.size());
        editor.SetSelStart(static_cast<int>(random() % (total + 1)));
        editor.SetSelLength(static_cast<int>(random() % 6));
        const int start = editor.SelStart();
        const int length = editor.SelLength();
        QCOMPARE(Hex(editor.SelText()), Hex(model.substr(start, length)));
        std::string bytes;
        for (int n = static_cast<int>(random() % 5); n > 0; --n)
          bytes += pieces[random() % std::size(pieces)];
        editor.SetSelText(bytes);
        const std::string before = model;
        model = model.substr(0, start) + bytes + model.substr(start + length);
        QCOMPARE(editor.SelStart(), start + static_cast<int>(bytes.size()));
        if (step % 10 == 1 && (length > 0 || !bytes.empty())) {
          editor.Undo();
          QVERIFY(editor.Text() == before);
          editor.Undo();
        }
      }
      QVERIFY2(editor.Text() == model, qPrintable(QString("step %1").arg(step)));
      QVERIFY(EncodeWholeDocument(editor) == model);
    }
  }

  void typingReachesTheText() {
    TopicEditor editor;
    std::string seen;
    int calls = 0;
    editor.on_text_changed = [&](const std::string& text) {
      seen = text;
      ++calls;
    };
    editor.SetText("xy\r\nz");
    editor.SetSelLength(2);
    // Showing a page tells the window once, with the whole text, and leaves
    // nothing selected to copy.
    QSignalSpy text_signals(&editor, &QPlainTextEdit::textChanged);
    QSignalSpy copy_signals(&editor, &QPlainTextEdit::copyAvailable);
    QSignalSpy caret(&editor, &TopicEditor::caretMoved);
    calls = 0;
    editor.SetText("abc");
    QCOMPARE(calls, 1);
    QCOMPARE(text_signals.count(), 1);
    QCOMPARE(copy_signals.last().at(0).toBool(), false);
    editor.SetSelStart(3);
    QTest::keyClicks(&editor, QStringLiteral("de"));
    QTest::keyClick(&editor, Qt::Key_Return);
    Type(&editor, QString::fromUtf8("あｶ"));
    QCOMPARE(Hex(seen), Hex("abcde\r\n" + qy::Sjis("あｶ")));
    QCOMPARE(caret.last().at(0).toInt(), 1);
    QCOMPARE(caret.last().at(1).toInt(), 3);
    QTest::keyClick(&editor, Qt::Key_Home);
    QTest::keyClick(&editor, Qt::Key_Backspace);
    QCOMPARE(Hex(seen), Hex("abcde" + qy::Sjis("あｶ")));
    QCOMPARE(editor.SelStart(), 5);
    QVERIFY(seen == editor.ShiftJisText());
  }

  void readOnlyRefusesEdits() {
    TopicEditor editor;
    editor.SetText("abc");
    editor.SetSelStart(3);
    editor.SetSelText("d");
    editor.SetReadOnly(true);
    QTest::keyClicks(&editor, QStringLiteral("xyz"));
    editor.SetSelText("q");
    editor.SetSelStart(0);
    editor.SetSelLength(2);
    editor.DeleteSelection();
    editor.Undo();
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor.Text(), std::string("abcd"));
    // The caret still moves with the keyboard; another page can be shown.
    editor.SetSelStart(0);
    QTest::keyClick(&editor, Qt::Key_Right);
    QCOMPARE(editor.SelStart(), 1);
    editor.SetText("new");
    QCOMPARE(editor.Text(), std::string("new"));
  }

  void inputShowsWhatTheTopicHolds() {
    TopicEditor editor;
    editor.SetText("");
    // A character Shift-JIS can not hold is stored as '?', so it is shown as
    // one at once; a variation selector is stored as nothing.
    Type(&editor, QString::fromUtf8("\xF0\x9F\x98\x80") + QChar(0x00A5) + "a" + QChar(0xFE00));
    QCOMPARE(editor.toPlainText(), QStringLiteral("??a"));
    QCOMPARE(editor.Text(), std::string("??a"));

    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("漢\xF0\x9F\x98\x80"));
    QCoreApplication::sendEvent(&editor, &commit);
    QCOMPARE(Hex(editor.Text()), Hex("??a" + qy::Sjis("漢") + "?"));

    // Pasted: line breaks of every kind stay line breaks; a wave dash is the
    // same JIS character as the full-width tilde.
    QGuiApplication::clipboard()->setText(QStringLiteral("x\u301Cy\u0410\u0400\nz\r\nw\u2029v"));
    editor.paste();
    QCOMPARE(Hex(editor.Text()),
             Hex("??a" + qy::Sjis("漢") + "?x\x81\x60y\x84\x40?\r\nz\r\nw\r\nv"));
    QCOMPARE(editor.document()->blockCount(), 4);
  }

  void undoTogglesBetweenTwoStates() {
    TopicEditor editor;
    editor.SetText("abc");
    QVERIFY(!editor.CanUndo());
    editor.SetSelStart(1);
    editor.SetSelText(qy::Sjis("あ"));
    editor.ClearUndo();
    QVERIFY(!editor.CanUndo());
    editor.Undo();
    QCOMPARE(Hex(editor.Text()), Hex("a" + qy::Sjis("あ") + "bc"));

    // The Undo key toggles typed text too; showing a page forgets the memory.
    editor.SetText("abc");
    editor.SetSelStart(3);
    QTest::keyClicks(&editor, QStringLiteral("xyz"));
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor.Text(), std::string("abc"));
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor.Text(), std::string("abcxyz"));
    editor.SetText("other");
    QVERIFY(!editor.CanUndo());
    // The edits of a group, as a markup command makes them, are one step.
    {
      qy::EditGroup group(editor);
      editor.SetSelText("x");
      editor.SetSelStart(0);
      editor.SetSelText("y");
    }
    editor.Undo();
    QCOMPARE(editor.Text(), std::string("other"));
  }

  void keysForMarkersAndOverwrite() {
    TopicEditor editor;
    // Backspace takes a duplicate code together with its marker.
    editor.SetText(
        "a\x87\x90"
        "b");
    editor.SetSelStart(3);
    QTest::keyClick(&editor, Qt::Key_Backspace);
    QCOMPARE(editor.Text(), std::string("ab"));

    editor.SetText(qy::Sjis("あい"));
    editor.SetSelStart(0);
    QTest::keyClick(&editor, Qt::Key_Insert);
    QTest::keyClicks(&editor, QStringLiteral("x"));
    QCOMPARE(Hex(editor.Text()), Hex("x" + qy::Sjis("い")));
    QTest::keyClick(&editor, Qt::Key_Insert);
    QTest::keyClicks(&editor, QStringLiteral("y"));
    QCOMPARE(Hex(editor.Text()), Hex("xy" + qy::Sjis("い")));
  }

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
    QVERIFY(!editor.CanUndo());
  }
};

QTEST_MAIN(TopicEditorTest)
#include "topic_editor_test.moc"
