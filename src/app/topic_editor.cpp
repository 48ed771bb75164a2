#include "app/topic_editor.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <cstdint>

#include "core/codec.h"
#include "markup/edit_commands.h"

namespace qy::app {

namespace {

using Round = BytePositionMap::Round;

// Only pages with topic text are editable, so a read-only check stands in
// for the page kind when the editor runs the undo command itself.
constexpr PageAttribute kEditablePage = kTopicPage;

}  // namespace

TopicEditor::TopicEditor(QWidget* parent) : QPlainTextEdit(parent), map_(document()) {
  connect(document(), &QTextDocument::contentsChange, this,
          [this](int position, int removed, int added) {
            map_.ContentsChanged(position, removed, added);
            if (undoing_) return;
            undone_ = false;
            if (group_depth_ == 0) last_steps_ = 1;
          });
  connect(this, &QPlainTextEdit::textChanged, this, &TopicEditor::TextChanged);
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, &TopicEditor::NotifyCaret);
  connect(this, &QPlainTextEdit::selectionChanged, this, &TopicEditor::NotifyCaret);
}

void TopicEditor::SetText(const std::string& text) {
  ShownText shown = ShowShiftJis(text);
  // Whoever listens is told once the lines are in place, rather than asking
  // for the text while the document is half loaded.
  const bool blocked = blockSignals(true);
  setPlainText(shown.text);  // caret to the start
  blockSignals(blocked);
  map_.Reset(std::move(shown.lines));
  ClearUndo();
  // The state signals held back above, for actions that follow them.
  emit undoAvailable(false);
  emit redoAvailable(false);
  emit copyAvailable(false);
  emit modificationChanged(document()->isModified());
  emit selectionChanged();
  emit textChanged();
  emit cursorPositionChanged();
}

std::string TopicEditor::SelText() const {
  const QTextCursor cursor = textCursor();
  const int start = map_.ByteOf(cursor.selectionStart());
  const int end = map_.ByteOf(cursor.selectionEnd());
  return map_.Text().substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

void TopicEditor::SetSelText(const std::string& text) {
  if (isReadOnly()) return;
  QTextCursor cursor = textCursor();
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  if (!text.empty()) cursor.insertText(ShowShiftJis(text).text);
  cursor.endEditBlock();
  setTextCursor(cursor);
}

int TopicEditor::SelStart() const { return map_.ByteOf(textCursor().selectionStart()); }

void TopicEditor::SetSelStart(int start) {
  const int position = map_.PositionOf(start, Round::kFloor);
  SelectPositions(position, position);
}

int TopicEditor::SelLength() const {
  const QTextCursor cursor = textCursor();
  return map_.ByteOf(cursor.selectionEnd()) - map_.ByteOf(cursor.selectionStart());
}

void TopicEditor::SetSelLength(int length) {
  const int anchor = textCursor().selectionStart();
  const std::int64_t end = std::int64_t{map_.ByteOf(anchor)} + std::max(length, 0);
  const auto clamped = static_cast<int>(std::min<std::int64_t>(end, map_.TotalBytes()));
  SelectPositions(anchor, map_.PositionOf(clamped, Round::kCeil));
}

int TopicEditor::Row() const {
  return document()->findBlock(textCursor().selectionStart()).blockNumber();
}

int TopicEditor::Col() const { return map_.ColumnOf(textCursor().selectionStart()); }

void TopicEditor::DeleteSelection() {
  QTextCursor cursor = textCursor();
  if (isReadOnly() || !cursor.hasSelection()) return;
  cursor.removeSelectedText();
  setTextCursor(cursor);
}

bool TopicEditor::CanUndo() const {
  return undone_ ? document()->isRedoAvailable() : document()->isUndoAvailable();
}

void TopicEditor::Undo() {
  if (isReadOnly() || !CanUndo()) return;
  // The document's own history serves as the two states: undoing and then
  // redoing its last step toggles between them.
  QTextCursor cursor = textCursor();
  undoing_ = true;
  // A group's edits are several steps of the document's history.
  for (int step = 0; step < last_steps_; ++step) {
    if (undone_) {
      if (!document()->isRedoAvailable()) break;
      document()->redo(&cursor);
    } else {
      if (!document()->isUndoAvailable()) break;
      document()->undo(&cursor);
    }
  }
  undoing_ = false;
  undone_ = !undone_;
  setTextCursor(cursor);
}

void TopicEditor::ClearUndo() {
  document()->clearUndoRedoStacks();
  undone_ = false;
  last_steps_ = 1;
}

void TopicEditor::BeginEditGroup() {
  if (group_depth_++ == 0) group_start_steps_ = document()->availableUndoSteps();
}

void TopicEditor::EndEditGroup() {
  if (group_depth_ == 0 || --group_depth_ > 0) return;
  const int steps = document()->availableUndoSteps() - group_start_steps_;
  if (steps > 0) last_steps_ = steps;
}

void TopicEditor::SetReadOnly(bool read_only) {
  setReadOnly(read_only);
  if (read_only) {
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  }
}

void TopicEditor::SetOverwriteMode(bool overwrite) {
  if (overwrite == overwriteMode()) return;
  setOverwriteMode(overwrite);
  emit overwriteModeChanged(overwrite);
}

void TopicEditor::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (event->key() == Qt::Key_Insert && modifiers == Qt::NoModifier) {
    SetOverwriteMode(!overwriteMode());
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::Undo)) {
    UndoCommand(*this, kEditablePage);  // refuses on a read-only page
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::Redo)) {
    event->accept();  // the one-step undo has no separate redo
    return;
  }
  if (const QString typed = event->text(); !typed.isEmpty() && KeepableInput(typed) != typed) {
    QKeyEvent kept(event->type(), event->key(), event->modifiers(), KeepableInput(typed),
                   event->isAutoRepeat(), static_cast<quint16>(event->count()));
    QPlainTextEdit::keyPressEvent(&kept);
    event->setAccepted(kept.isAccepted());
    return;
  }
  if (event->key() == Qt::Key_Backspace &&
      (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier) && !isReadOnly() &&
      !textCursor().hasSelection()) {
    DeleteBackward();
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void TopicEditor::inputMethodEvent(QInputMethodEvent* event) {
  const QString committed = event->commitString();
  if (committed.isEmpty() || KeepableInput(committed) == committed) {
    QPlainTextEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent kept(event->preeditString(), event->attributes());
  kept.setCommitString(KeepableInput(committed), event->replacementStart(),
                       event->replacementLength());
  QPlainTextEdit::inputMethodEvent(&kept);
  event->setAccepted(kept.isAccepted());
}

void TopicEditor::insertFromMimeData(const QMimeData* source) {
  if (!source->hasText()) return;
  QMimeData kept;
  kept.setText(KeepableInput(source->text()));
  QPlainTextEdit::insertFromMimeData(&kept);
}

void TopicEditor::DeleteBackward() {
  // The widget would take back only the last code point, which for a
  // character with a duplicate marker is the invisible marker: the key would
  // seem to do nothing and change the character's code. Delete the whole
  // character instead.
  QTextCursor cursor = textCursor();
  const QTextBlock block = cursor.block();
  const QString text = block.text();
  int at = cursor.positionInBlock();
  if (at == 0) {
    cursor.deletePreviousChar();
    setTextCursor(cursor);
    return;
  }
  auto code_point_before = [&text](int end, int* start) {
    *start = end - 1;
    if (*start > 0 && text[*start].isLowSurrogate() && text[*start - 1].isHighSurrogate()) {
      --*start;
      return QChar::surrogateToUcs4(text[*start], text[*start + 1]);
    }
    return static_cast<char32_t>(text[*start].unicode());
  };
  int start = at;
  char32_t c = code_point_before(at, &start);
  while (IsDuplicateMarker(c) && start > 0) {
    at = start;
    c = code_point_before(at, &start);
  }
  cursor.setPosition(block.position() + start, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
  setTextCursor(cursor);
}

void TopicEditor::contextMenuEvent(QContextMenuEvent* event) {
  // The standard menu's undo and redo would walk the document's whole
  // history; give it the one-step undo instead.
  QMenu* menu = createStandardContextMenu(event->pos());
  const QList<QAction*> actions = menu->actions();
  for (QAction* action : actions) {
    if (action->objectName() == QLatin1String("edit-undo")) {
      disconnect(action, &QAction::triggered, nullptr, nullptr);
      action->setEnabled(!isReadOnly() && CanUndo());
      connect(action, &QAction::triggered, this, [this] { UndoCommand(*this, kEditablePage); });
    } else if (action->objectName() == QLatin1String("edit-redo")) {
      menu->removeAction(action);
    }
  }
  menu->exec(event->globalPos());
  delete menu;
}

void TopicEditor::TextChanged() {
  if (on_text_changed) on_text_changed(map_.Text());
  NotifyCaret();
}

void TopicEditor::NotifyCaret() {
  const int row = Row();
  const int col = Col();
  if (row == shown_row_ && col == shown_col_) return;
  shown_row_ = row;
  shown_col_ = col;
  emit caretMoved(row, col);
}

void TopicEditor::SelectPositions(int anchor, int position) {
  QTextCursor cursor(document());
  cursor.setPosition(anchor);
  cursor.setPosition(position, QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

}  // namespace qy::app
