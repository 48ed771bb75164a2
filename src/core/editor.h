// The topic editor as the editing commands, the preview and the macro
// interface see it. Offsets and lengths count Shift-JIS bytes of the text;
// lines are separated by CR LF.
#pragma once

#include <string>

namespace qy {

class Editor {
 public:
  virtual ~Editor() = default;

  virtual std::string Text() const = 0;
  // Replaces the whole text; the caret goes to the start and the undo memory
  // is cleared (used when a page is shown).
  virtual void SetText(const std::string& text) = 0;

  virtual std::string SelText() const = 0;
  // Replaces the selection; the caret ends behind the new text.
  virtual void SetSelText(const std::string& text) = 0;

  virtual int SelStart() const = 0;
  virtual void SetSelStart(int start) = 0;  // collapses the selection
  virtual int SelLength() const = 0;
  virtual void SetSelLength(int length) = 0;

  // Caret line and column, both from 0; the column counts bytes.
  virtual int Row() const = 0;
  virtual int Col() const = 0;

  virtual void DeleteSelection() = 0;
  virtual bool CanUndo() const = 0;
  virtual void Undo() = 0;
  virtual void ClearUndo() = 0;
  virtual void SetFocus() = 0;
  virtual bool ReadOnly() const = 0;
  virtual void SetReadOnly(bool read_only) = 0;
  // The edits made between these two calls are one step for Undo, so that
  // a command that edits twice is taken back whole. Calls may nest.
  virtual void BeginEditGroup() {}
  virtual void EndEditGroup() {}
};

// Holds an edit group open for its lifetime.
class EditGroup {
 public:
  explicit EditGroup(Editor& editor) : editor_(editor) { editor_.BeginEditGroup(); }
  ~EditGroup() { editor_.EndEditGroup(); }
  EditGroup(const EditGroup&) = delete;
  EditGroup& operator=(const EditGroup&) = delete;

 private:
  Editor& editor_;
};

}  // namespace qy
