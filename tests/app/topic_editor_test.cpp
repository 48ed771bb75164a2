// The topic editor widget: Shift-JIS byte offsets over the lossless codec,
// bytes that survive editing, typing, read-only pages and the one-step undo.
#include "app/topic_editor.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <random>
#include <string>

#include "app/qt_text.h"
#include "core/codec.h"
#include "core/cp932.h"
#include "markup/edit_commands.h"
#include "markup/format_markup.h"

using qy::app::TopicEditor;

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
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text);
  QCoreApplication::sendEvent(widget, &release);
}

QString CodePoint(char32_t c) { return QString::fromUcs4(&c, 1); }

}  // namespace

class TopicEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void byteOffsetsAroundWideAndReservedCharacters();
  void widgetPositionsMapToBytes();
  void everySingleByteSurvives();
  void oddPairsSurviveAndOffsetsStayOnCharacters();
  void loneLineBreaksSurvive();
  void editingElsewhereKeepsUntouchedBytes();
  void randomEditsKeepTheByteMapExact();
  void typingReachesTheText();
  void readOnlyRefusesEdits();
  void inputShowsWhatTheTopicHolds();
  void setSelTextPutsCaretBehind();
  void undoTogglesBetweenTwoStates();
  void deleteCommandRemovesWholeCharacters();
  void backspaceRemovesCharacterWithItsMarker();
  void insertKeyTogglesOverwrite();
  void caretMovedReportsRowAndColumn();
};

// "a" "あ" "ｱ" undefined pair 85 40, stray 80, duplicate code 87 90 (a
// character plus its marker), "b", CR LF, "c".
static const std::string kMixed =
    std::string("a") + qy::Sjis("あｱ") + "\x85\x40" + "\x80" + "\x87\x90" + "b\r\nc";

void TopicEditorTest::byteOffsetsAroundWideAndReservedCharacters() {
  TopicEditor editor;
  editor.SetText(kMixed);
  QCOMPARE(Hex(editor.Text()), Hex(kMixed));
  QCOMPARE(editor.document()->blockCount(), 2);

  // Byte offset asked -> selection start kept (inside a character: its start).
  const int expected[] = {0, 1, 1, 3, 4, 4, 6, 7, 7, 9, 10, 10, 12, 13};
  for (int k = 0; k < 14; ++k) {
    editor.SetSelStart(k);
    QCOMPARE(editor.SelStart(), expected[k]);
    QCOMPARE(editor.SelLength(), 0);
  }
  editor.SetSelStart(-5);
  QCOMPARE(editor.SelStart(), 0);
  editor.SetSelStart(1000);
  QCOMPARE(editor.SelStart(), 13);
  QCOMPARE(editor.Row(), 1);
  QCOMPARE(editor.Col(), 1);

  // Behind the duplicate code the caret stands behind its marker too.
  editor.SetSelStart(9);
  QCOMPARE(editor.textCursor().position(), 10);
  QCOMPARE(editor.Row(), 0);
  QCOMPARE(editor.Col(), 9);
  editor.SetSelStart(12);
  QCOMPARE(editor.Row(), 1);
  QCOMPARE(editor.Col(), 0);

  // A selection end inside a character takes the whole character.
  editor.SetSelStart(1);
  editor.SetSelLength(1);
  QCOMPARE(editor.SelLength(), 2);
  QCOMPARE(Hex(editor.SelText()), Hex(qy::Sjis("あ")));
  editor.SetSelStart(4);
  editor.SetSelLength(3);
  QCOMPARE(Hex(editor.SelText()), Hex("\x85\x40\x80"));
  editor.SetSelStart(7);
  editor.SetSelLength(2);
  QCOMPARE(Hex(editor.SelText()), Hex("\x87\x90"));
  editor.SetSelStart(9);
  editor.SetSelLength(2);  // "b" and half of CR LF
  QCOMPARE(Hex(editor.SelText()), Hex("b\r\n"));
  editor.SetSelStart(3);
  editor.SetSelLength(1 << 30);
  QCOMPARE(editor.SelLength(), 10);
  editor.SetSelLength(-1);
  QCOMPARE(editor.SelLength(), 0);
}

void TopicEditorTest::widgetPositionsMapToBytes() {
  TopicEditor editor;
  editor.SetText(kMixed);
  // Widget positions: a 0, あ 1, ｱ 2, pair 3-4, stray 5-6, ≒ 7, marker 8-9,
  // b 10, separator 11, c 12.
  const int bytes[] = {0, 1, 3, 4, 4, 6, 6, 7, 9, 9, 9, 10, 12, 13};
  for (int position = 0; position <= 13; ++position) {
    QTextCursor cursor(editor.document());
    cursor.setPosition(position);
    editor.setTextCursor(cursor);
    QCOMPARE(editor.SelStart(), bytes[position]);
  }
  QTextCursor cursor(editor.document());
  cursor.setPosition(2);
  cursor.setPosition(12, QTextCursor::KeepAnchor);
  editor.setTextCursor(cursor);
  QCOMPARE(editor.SelStart(), 3);
  QCOMPARE(editor.SelLength(), 9);
  QCOMPARE(Hex(editor.SelText()), Hex(qy::Sjis("ｱ") + "\x85\x40\x80\x87\x90"
                                                      "b\r\n"));
}

void TopicEditorTest::everySingleByteSurvives() {
  TopicEditor editor;
  std::string all;
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    editor.SetText(one);
    QVERIFY2(editor.Text() == one, qPrintable(Hex(one)));
    editor.SetSelStart(10);
    QCOMPARE(editor.SelStart(), 1);
    // Between letters, where a lead byte takes the next letter as its trail.
    const std::string framed = "A" + one + "z";
    editor.SetText(framed);
    QVERIFY2(editor.Text() == framed, qPrintable(Hex(framed)));
    all += one;
  }
  editor.SetText(all);
  QVERIFY(editor.Text() == all);
  editor.SetSelStart(1000);
  QCOMPARE(editor.SelStart(), 256);
}

void TopicEditorTest::oddPairsSurviveAndOffsetsStayOnCharacters() {
  TopicEditor editor;
  const int leads[] = {0x81, 0x84, 0x85, 0x87, 0x88, 0x9F, 0xE0, 0xEA,
                       0xEB, 0xED, 0xEE, 0xEF, 0xF0, 0xF9, 0xFA, 0xFC};
  for (int lead : leads) {
    for (int trail = 0; trail < 256; ++trail) {
      std::string text = "a";
      text += static_cast<char>(lead);
      text += static_cast<char>(trail);
      text += 'z';
      editor.SetText(text);
      QVERIFY2(editor.Text() == text, qPrintable(Hex(text)));
      for (int k = 0; k <= static_cast<int>(text.size()); ++k) {
        editor.SetSelStart(k);
        QCOMPARE(editor.SelStart(), static_cast<int>(qy::FloorCharBoundary(text, k)));
      }
    }
  }
  // Every double-byte code, one per line: each line's length in the editor
  // must be that of the code, or every later offset would be off.
  std::string codes;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!qy::IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (!qy::IsTrailByte(static_cast<unsigned char>(trail))) continue;
      codes += static_cast<char>(lead);
      codes += static_cast<char>(trail);
      codes += "\r\n";
    }
  }
  editor.SetText(codes);
  QVERIFY(editor.Text() == codes);
  const int lines = static_cast<int>(codes.size() / 4);
  for (int line = 0; line < lines; line += 7) {
    editor.SetSelStart(line * 4 + 2);
    QCOMPARE(editor.Row(), line);
    QCOMPARE(editor.Col(), 2);
    editor.SetSelStart(line * 4 + 1);
    QCOMPARE(editor.SelStart(), line * 4);
  }
}

void TopicEditorTest::loneLineBreaksSurvive() {
  TopicEditor editor;
  const std::string texts[] = {"a\rb",  "a\nb",     "\r",    "\n",   "\r\r\n\n", "\n\r",
                               "x\x81", "\x81\r\n", "a\r\n", "\r\n", "",         "\x81\n\x40"};
  for (const std::string& text : texts) {
    editor.SetText(text);
    QVERIFY2(editor.Text() == text, qPrintable(Hex(text)));
  }
  // A lone break stays inside its line: it counts one byte, no new row.
  editor.SetText("a\nbc\r\nd");
  QCOMPARE(editor.document()->blockCount(), 2);
  editor.SetSelStart(4);
  QCOMPARE(editor.Row(), 0);
  QCOMPARE(editor.Col(), 4);
  editor.SetSelStart(6);
  QCOMPARE(editor.Row(), 1);
  editor.SetSelStart(1);
  editor.SetSelLength(1);
  QCOMPARE(Hex(editor.SelText()), Hex("\n"));
}

void TopicEditorTest::editingElsewhereKeepsUntouchedBytes() {
  TopicEditor editor;
  const std::string head = std::string("\x80") + "ab\x85\x40\r";
  const std::string tail = std::string("cd\x87\x90\xFF\r\n\x81");
  editor.SetText(head + tail);
  editor.SetSelStart(static_cast<int>(head.size()));
  editor.SetSelText(qy::Sjis("挿入\r\n"));
  QCOMPARE(Hex(editor.Text()), Hex(head + qy::Sjis("挿入\r\n") + tail));

  // Typed in the middle.
  editor.SetText(head + tail);
  editor.SetSelStart(static_cast<int>(head.size()) + 2);
  QTest::keyClicks(&editor, QStringLiteral("XY"));
  QCOMPARE(Hex(editor.Text()), Hex(head + "cdXY" + tail.substr(2)));
  // Deleted in the middle: the neighbours on both sides stay.
  editor.SetSelStart(static_cast<int>(head.size()));
  editor.SetSelLength(4);
  editor.DeleteSelection();
  QCOMPARE(Hex(editor.Text()), Hex(head + tail.substr(2)));
}

void TopicEditorTest::randomEditsKeepTheByteMapExact() {
  TopicEditor editor;
  std::mt19937 random(12345);
  const std::string pieces[] = {"a",        qy::Sjis("あ"), "\r\n", "\x85\x40", "\x80",
                                "\x87\x90", qy::Sjis("ｱ"),  "\r",   "\n",       "\x81"};
  auto random_bytes = [&] {
    std::string s;
    const int n = static_cast<int>(random() % 5);
    for (int k = 0; k < n; ++k) s += pieces[random() % std::size(pieces)];
    return s;
  };
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
      const QString inserted[] = {"x", "\n", CodePoint(0x10FE80), QStringLiteral("\u3042\n\u3044")};
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
      const std::string bytes = random_bytes();
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

void TopicEditorTest::typingReachesTheText() {
  TopicEditor editor;
  std::string seen;
  int calls = 0;
  editor.on_text_changed = [&](const std::string& text) {
    seen = text;
    ++calls;
  };
  editor.SetText("xy\r\nz");
  editor.SetSelStart(0);
  editor.SetSelLength(2);
  // Showing a page tells the window once, with the whole text, and leaves
  // nothing selected to copy.
  QSignalSpy text_signals(&editor, &QPlainTextEdit::textChanged);
  QSignalSpy copy_signals(&editor, &QPlainTextEdit::copyAvailable);
  calls = 0;
  editor.SetText("abc");
  QCOMPARE(calls, 1);
  QCOMPARE(text_signals.count(), 1);
  QVERIFY(!copy_signals.isEmpty());
  QCOMPARE(copy_signals.last().at(0).toBool(), false);
  QCOMPARE(seen, std::string("abc"));
  editor.SetSelStart(3);
  QTest::keyClicks(&editor, QStringLiteral("de"));
  QCOMPARE(seen, std::string("abcde"));
  QTest::keyClick(&editor, Qt::Key_Return);
  Type(&editor, QString::fromUtf8("あｶ"));
  QCOMPARE(Hex(seen), Hex("abcde\r\n" + qy::Sjis("あｶ")));
  QCOMPARE(editor.SelStart(), 10);
  QCOMPARE(editor.Row(), 1);
  QCOMPARE(editor.Col(), 3);
  QTest::keyClick(&editor, Qt::Key_Home);
  QTest::keyClick(&editor, Qt::Key_Backspace);
  QCOMPARE(Hex(seen), Hex("abcde" + qy::Sjis("あｶ")));
  QCOMPARE(editor.SelStart(), 5);
  QVERIFY(seen == editor.Text());
  QVERIFY(seen == editor.ShiftJisText());
}

void TopicEditorTest::readOnlyRefusesEdits() {
  TopicEditor editor;
  editor.SetText("abc");
  editor.SetSelStart(3);
  editor.SetSelText("d");
  editor.SetReadOnly(true);
  QVERIFY(editor.ReadOnly());
  QTest::keyClicks(&editor, QStringLiteral("xyz"));
  editor.SetSelText("q");
  editor.SetSelStart(0);
  editor.SetSelLength(2);
  editor.DeleteSelection();
  QVERIFY(editor.CanUndo());
  editor.Undo();
  QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(editor.Text(), std::string("abcd"));
  // The caret still moves with the keyboard.
  editor.SetSelStart(0);
  QTest::keyClick(&editor, Qt::Key_Right);
  QCOMPARE(editor.SelStart(), 1);
  // Showing another page works on a read-only editor.
  editor.SetText("new");
  QCOMPARE(editor.Text(), std::string("new"));
  editor.SetReadOnly(false);
  QTest::keyClicks(&editor, QStringLiteral("!"));
  QCOMPARE(editor.Text(), std::string("!new"));
}

void TopicEditorTest::inputShowsWhatTheTopicHolds() {
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
  QCOMPARE(Hex(editor.Text()), Hex("??a" + qy::Sjis("漢") + "?x\x81\x60y\x84\x40?\r\nz\r\nw\r\nv"));
  QCOMPARE(editor.document()->blockCount(), 4);
}

void TopicEditorTest::setSelTextPutsCaretBehind() {
  TopicEditor editor;
  editor.SetText(qy::Sjis("前後"));
  editor.SetSelStart(2);
  editor.SetSelText(qy::Sjis("あ\r\nい"));
  QCOMPARE(editor.SelStart(), 8);
  QCOMPARE(editor.SelLength(), 0);
  QCOMPARE(editor.Row(), 1);
  QCOMPARE(editor.Col(), 2);
  QCOMPARE(Hex(editor.Text()), Hex(qy::Sjis("前あ\r\nい後")));
  // Replacing a selection, and with nothing.
  editor.SetSelStart(0);
  editor.SetSelLength(2);
  editor.SetSelText("{\\b x}");
  QCOMPARE(editor.SelStart(), 6);
  QCOMPARE(Hex(editor.Text()), Hex("{\\b x}" + qy::Sjis("あ\r\nい後")));
  editor.SetSelLength(4);
  editor.SetSelText("");
  QCOMPARE(Hex(editor.Text()), Hex("{\\b x}" + qy::Sjis("い後")));
  QCOMPARE(editor.SelStart(), 6);
}

void TopicEditorTest::undoTogglesBetweenTwoStates() {
  TopicEditor editor;
  QVERIFY(!editor.CanUndo());
  editor.SetText("abc");
  QVERIFY(!editor.CanUndo());
  editor.SetSelStart(1);
  editor.SetSelText(qy::Sjis("あ"));
  QVERIFY(editor.CanUndo());
  editor.Undo();
  QCOMPARE(editor.Text(), std::string("abc"));
  QVERIFY(editor.CanUndo());
  editor.Undo();
  QCOMPARE(Hex(editor.Text()), Hex("a" + qy::Sjis("あ") + "bc"));
  editor.Undo();
  QCOMPARE(editor.Text(), std::string("abc"));
  // A new edit after an undo is the one the next undo takes back.
  editor.SetSelStart(3);
  editor.SetSelText("d");
  editor.Undo();
  QCOMPARE(editor.Text(), std::string("abc"));
  editor.ClearUndo();
  QVERIFY(!editor.CanUndo());
  editor.Undo();
  QCOMPARE(editor.Text(), std::string("abc"));

  // The edit command moves the caret by the change in length.
  editor.SetSelStart(3);
  QTest::keyClicks(&editor, QStringLiteral("xyz"));
  editor.SetSelStart(6);
  QVERIFY(qy::UndoCommand(editor, qy::kTopicPage));
  QCOMPARE(editor.Text(), std::string("abc"));
  QCOMPARE(editor.SelStart(), 3);
  QVERIFY(qy::UndoCommand(editor, qy::kTopicPage));
  QCOMPARE(editor.Text(), std::string("abcxyz"));
  // The Undo key does the same.
  QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(editor.Text(), std::string("abc"));
  QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(editor.Text(), std::string("abcxyz"));
  // Showing a page forgets the undo memory.
  editor.SetText("other");
  QVERIFY(!editor.CanUndo());
}

void TopicEditorTest::deleteCommandRemovesWholeCharacters() {
  TopicEditor editor;
  editor.SetText(qy::Sjis("あ") + "\r\nb\x85\x40");
  editor.SetSelStart(0);
  qy::DeleteCommand(editor);
  QCOMPARE(Hex(editor.Text()), Hex("\r\nb\x85\x40"));
  qy::DeleteCommand(editor);
  QCOMPARE(Hex(editor.Text()), Hex("b\x85\x40"));
  qy::DeleteCommand(editor);
  QCOMPARE(Hex(editor.Text()), Hex("\x85\x40"));
  qy::DeleteCommand(editor);
  QCOMPARE(editor.Text(), std::string());
}

void TopicEditorTest::backspaceRemovesCharacterWithItsMarker() {
  TopicEditor editor;
  editor.SetText(
      "a\x87\x90"
      "b\x85\x40");
  editor.SetSelStart(3);
  QTest::keyClick(&editor, Qt::Key_Backspace);
  QCOMPARE(Hex(editor.Text()), Hex("ab\x85\x40"));
  editor.SetSelStart(4);
  QTest::keyClick(&editor, Qt::Key_Backspace);
  QCOMPARE(Hex(editor.Text()), Hex("ab"));
}

void TopicEditorTest::insertKeyTogglesOverwrite() {
  TopicEditor editor;
  QSignalSpy spy(&editor, &TopicEditor::overwriteModeChanged);
  editor.SetText(qy::Sjis("あい"));
  editor.SetSelStart(0);
  QVERIFY(!editor.OverwriteMode());
  QTest::keyClick(&editor, Qt::Key_Insert);
  QVERIFY(editor.OverwriteMode());
  QCOMPARE(spy.count(), 1);
  QCOMPARE(spy.last().at(0).toBool(), true);
  QTest::keyClicks(&editor, QStringLiteral("x"));
  QCOMPARE(Hex(editor.Text()), Hex("x" + qy::Sjis("い")));
  QTest::keyClick(&editor, Qt::Key_Insert);
  QVERIFY(!editor.OverwriteMode());
  QCOMPARE(spy.count(), 2);
  QTest::keyClicks(&editor, QStringLiteral("y"));
  QCOMPARE(Hex(editor.Text()), Hex("xy" + qy::Sjis("い")));
}

void TopicEditorTest::caretMovedReportsRowAndColumn() {
  TopicEditor editor;
  QSignalSpy spy(&editor, &TopicEditor::caretMoved);
  editor.SetText("ab\r\n" + qy::Sjis("あい") + "c");
  editor.SetSelStart(8);
  QVERIFY(!spy.isEmpty());
  QCOMPARE(spy.last().at(0).toInt(), 1);
  QCOMPARE(spy.last().at(1).toInt(), 4);
  QCOMPARE(qy::CaretPositionText(editor.Row(), editor.Col()), qy::Sjis(" 00002行 : 00005桁"));
  // Typing moves the column by the bytes typed.
  Type(&editor, QString::fromUtf8("う"));
  QCOMPARE(spy.last().at(1).toInt(), 6);
  const int count = static_cast<int>(spy.count());
  editor.SetSelStart(8);  // same place again
  editor.SetSelStart(8);
  QVERIFY(spy.count() <= count + 1);
}

QTEST_MAIN(TopicEditorTest)
#include "topic_editor_test.moc"
