// The main window's topic editor: a plain text widget that shows the
// current page's Shift-JIS topic through the lossless codec and speaks in
// Shift-JIS byte offsets to the editing commands, the preview and macros.
//
// Bytes that the user did not touch come back exactly as they were given,
// whatever they are (see the codec and BytePositionMap for how undefined
// bytes, duplicate codes and lone CR or LF are shown). Typed, committed or
// pasted characters that Shift-JIS can not hold are shown as the '?' the
// topic will hold.
//
// Text model: every change of the widget's text, typed or made through the
// Editor operations, calls on_text_changed with the whole Shift-JIS text at
// once (and emits textChanged; SetText emits it exactly once, after the new
// text is complete). The text is kept per line and only the changed lines
// are encoded again, so ShiftJisText() and Text() are cheap whenever they
// are asked; no Sync() step is needed.
//
// Undo: one step that toggles. Undo() switches to the state before the last
// edit, and a second Undo() back to the state after it; the Undo key
// (Ctrl+Z) does the same as the edit menu's undo command, and the Redo key
// does nothing. The widget's own multi-step undo()/redo() slots are not
// meant to be used.
#pragma once

#include <QPlainTextEdit>
#include <functional>
#include <string>

#include "app/byte_position_map.h"
#include "core/editor.h"

namespace qy::app {

class TopicEditor : public QPlainTextEdit, public Editor {
  Q_OBJECT

 public:
  explicit TopicEditor(QWidget* parent = nullptr);

  // Editor. Offsets that fall inside a double-byte character are widened to
  // the whole character: a selection start goes to the character's start,
  // a selection end to its end.
  std::string Text() const override { return map_.Text(); }
  void SetText(const std::string& text) override;  // also when read-only
  std::string SelText() const override;
  void SetSelText(const std::string& text) override;  // refused when read-only
  int SelStart() const override;
  void SetSelStart(int start) override;
  int SelLength() const override;
  void SetSelLength(int length) override;
  // Line and byte column of the selection start; lines are the CR LF lines.
  int Row() const override;
  int Col() const override;
  void DeleteSelection() override;
  bool CanUndo() const override;
  void Undo() override;
  void ClearUndo() override;
  void SetFocus() override { setFocus(); }
  bool ReadOnly() const override { return isReadOnly(); }
  // A read-only editor still shows and moves the caret with the keyboard.
  void SetReadOnly(bool read_only) override;
  void BeginEditGroup() override;
  void EndEditGroup() override;

  // The text as Shift-JIS without a copy; valid until the next change.
  const std::string& ShiftJisText() const { return map_.Text(); }

  // Overwrite mode, toggled by the Insert key.
  bool OverwriteMode() const { return overwriteMode(); }
  void SetOverwriteMode(bool overwrite);

  // Called after every change of the text with the new Shift-JIS text,
  // including SetText.
  std::function<void(const std::string&)> on_text_changed;

 signals:
  // The selection start moved to another line or byte column (both from 0).
  void caretMoved(int row, int col);
  void overwriteModeChanged(bool overwrite);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  // Typed, committed and pasted text reaches the document as the topic
  // will hold it.
  void inputMethodEvent(QInputMethodEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  void TextChanged();
  void NotifyCaret();
  void DeleteBackward();
  void SelectPositions(int anchor, int position);

  BytePositionMap map_;
  bool undoing_ = false;
  // The last Undo() undid an edit, so the next one redoes it.
  bool undone_ = false;
  // Document history steps the last edit took: more than one after a group.
  int last_steps_ = 1;
  int group_depth_ = 0;
  int group_start_steps_ = 0;
  int shown_row_ = -1;
  int shown_col_ = -1;
};

}  // namespace qy::app
