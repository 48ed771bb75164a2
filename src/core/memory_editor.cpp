#include "core/memory_editor.h"

#include <algorithm>

namespace qy {

void MemoryEditor::SetText(const std::string& text) {
  text_ = text;
  sel_start_ = 0;
  sel_length_ = 0;
  has_undo_ = false;
  Changed();
}

std::string MemoryEditor::SelText() const {
  return text_.substr(static_cast<std::size_t>(sel_start_), static_cast<std::size_t>(sel_length_));
}

void MemoryEditor::SetSelText(const std::string& text) {
  if (read_only_) return;
  // Inside a group only the state before its first edit is kept.
  if (group_depth_ == 0 || !group_recorded_) {
    undo_text_ = text_;
    undo_sel_start_ = sel_start_;
    has_undo_ = true;
    group_recorded_ = group_depth_ > 0;
  }
  text_.replace(static_cast<std::size_t>(sel_start_), static_cast<std::size_t>(sel_length_), text);
  sel_start_ += static_cast<int>(text.size());
  sel_length_ = 0;
  Changed();
}

void MemoryEditor::SetSelStart(int start) {
  sel_start_ = std::clamp(start, 0, static_cast<int>(text_.size()));
  sel_length_ = 0;
}

void MemoryEditor::SetSelLength(int length) {
  sel_length_ = std::clamp(length, 0, static_cast<int>(text_.size()) - sel_start_);
}

int MemoryEditor::Row() const {
  return static_cast<int>(std::count(text_.begin(), text_.begin() + sel_start_, '\n'));
}

int MemoryEditor::Col() const {
  std::size_t line_start = text_.rfind(
      '\n', sel_start_ == 0 ? std::string::npos : static_cast<std::size_t>(sel_start_ - 1));
  if (sel_start_ == 0 || line_start == std::string::npos) return sel_start_;
  return sel_start_ - static_cast<int>(line_start) - 1;
}

void MemoryEditor::Undo() {
  if (!has_undo_ || read_only_) return;
  // One step that toggles: undoing twice restores the change.
  std::swap(text_, undo_text_);
  std::swap(sel_start_, undo_sel_start_);
  sel_length_ = 0;
  Changed();
}

void MemoryEditor::BeginEditGroup() {
  if (group_depth_++ == 0) group_recorded_ = false;
}

void MemoryEditor::EndEditGroup() {
  if (group_depth_ > 0) --group_depth_;
}

void MemoryEditor::Changed() {
  if (on_text_changed) on_text_changed(text_);
}

}  // namespace qy
