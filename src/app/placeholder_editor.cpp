#include "app/placeholder_editor.h"

#include <QTextBlock>
#include <QTextCursor>

#include "app/qt_text.h"

namespace qy::app {

namespace {

// The widget keeps "\n" (QChar::ParagraphSeparator in selections); the
// logic sees CR LF.
std::string WithCrLf(QString text) {
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return FromQt(text);
}

QString WithoutCr(const std::string& sjis) {
  QString text = ToQt(sjis);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

}  // namespace

PlaceholderEditor::PlaceholderEditor(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
}

int PlaceholderEditor::BytesBefore(int pos) const {
  return static_cast<int>(WithCrLf(toPlainText().left(pos)).size());
}

int PlaceholderEditor::PositionOfByte(int byte) const {
  const QString text = toPlainText();
  int bytes = 0;
  for (int i = 0; i < text.size(); ++i) {
    if (bytes >= byte) return i;
    const int len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    bytes += static_cast<int>(WithCrLf(text.mid(i, len)).size());
    i += len - 1;
  }
  return static_cast<int>(text.size());
}

std::string PlaceholderEditor::Text() const { return WithCrLf(toPlainText()); }

void PlaceholderEditor::SetText(const std::string& text) {
  setPlainText(WithoutCr(text));
  moveCursor(QTextCursor::Start);
}

std::string PlaceholderEditor::SelText() const { return WithCrLf(textCursor().selectedText()); }

void PlaceholderEditor::SetSelText(const std::string& text) {
  textCursor().insertText(WithoutCr(text));
}

int PlaceholderEditor::SelStart() const { return BytesBefore(textCursor().selectionStart()); }

void PlaceholderEditor::SetSelStart(int start) {
  QTextCursor cursor = textCursor();
  cursor.setPosition(PositionOfByte(start));
  setTextCursor(cursor);
}

int PlaceholderEditor::SelLength() const {
  return static_cast<int>(WithCrLf(textCursor().selectedText()).size());
}

void PlaceholderEditor::SetSelLength(int length) {
  QTextCursor cursor = textCursor();
  const int start = SelStart();
  cursor.setPosition(PositionOfByte(start));
  cursor.setPosition(PositionOfByte(start + length), QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

int PlaceholderEditor::Row() const { return textCursor().blockNumber(); }

int PlaceholderEditor::Col() const {
  const QTextCursor cursor = textCursor();
  return static_cast<int>(FromQt(cursor.block().text().left(cursor.positionInBlock())).size());
}

void PlaceholderEditor::DeleteSelection() { textCursor().removeSelectedText(); }
bool PlaceholderEditor::CanUndo() const { return document()->isUndoAvailable(); }
void PlaceholderEditor::Undo() { undo(); }
void PlaceholderEditor::ClearUndo() { document()->clearUndoRedoStacks(); }
void PlaceholderEditor::SetFocus() { setFocus(); }
bool PlaceholderEditor::ReadOnly() const { return isReadOnly(); }
void PlaceholderEditor::SetReadOnly(bool read_only) { setReadOnly(read_only); }

}  // namespace qy::app
