// An editor without a window: the text, the selection and a one-step undo in
// memory. Used by the tests and by headless macro runs.
#pragma once

#include <functional>
#include <string>

#include "core/editor.h"

namespace qy {

class MemoryEditor : public Editor {
 public:
  MemoryEditor() = default;
  explicit MemoryEditor(std::string text) : text_(std::move(text)) {}

  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override;
  std::string SelText() const override;
  void SetSelText(const std::string& text) override;
  int SelStart() const override { return sel_start_; }
  void SetSelStart(int start) override;
  int SelLength() const override { return sel_length_; }
  void SetSelLength(int length) override;
  int Row() const override;
  int Col() const override;
  void DeleteSelection() override { SetSelText(""); }
  bool CanUndo() const override { return has_undo_; }
  void Undo() override;
  void ClearUndo() override { has_undo_ = false; }
  void SetFocus() override { ++focus_requests_; }
  bool ReadOnly() const override { return read_only_; }
  void SetReadOnly(bool read_only) override { read_only_ = read_only; }
  void BeginEditGroup() override;
  void EndEditGroup() override;

  // Called after every change of the text, with the new text (the window
  // writes it into the current page's topic the same way).
  std::function<void(const std::string&)> on_text_changed;
  int focus_requests() const { return focus_requests_; }

 private:
  void Changed();

  std::string text_;
  int sel_start_ = 0;
  int sel_length_ = 0;
  bool read_only_ = false;
  bool has_undo_ = false;
  std::string undo_text_;
  int undo_sel_start_ = 0;
  int focus_requests_ = 0;
  int group_depth_ = 0;
  // The group has stored its undo state with its first edit.
  bool group_recorded_ = false;
};

}  // namespace qy
