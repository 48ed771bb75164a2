// The indent and line-spacing dialog without its window. One dialog, two
// modes: indents ("インデントの設定") and line spacing ("行間設定").
#pragma once

#include <string>
#include <string_view>

#include "core/editor.h"
#include "markup/format_markup.h"

namespace qy {

enum class IndentDialogMode { kIndent, kLineSpacing };

struct SliderSetup {
  int minimum;
  int maximum;
  int start;
  int line_step;  // arrow keys
  int page_step;
  int tick;  // distance of the tick marks
};

class IndentDialogModel {
 public:
  explicit IndentDialogModel(IndentDialogMode mode);

  IndentDialogMode mode() const { return mode_; }
  const SliderSetup& slider() const { return slider_; }
  // Shift-JIS texts of the window.
  std::string Caption() const;
  std::string SliderLabel() const;
  std::string InsertButtonCaption() const;  // left indent / insert
  bool HasRightIndentButton() const { return mode_ == IndentDialogMode::kIndent; }

  int value() const { return value_; }
  // Kept within the slider's range.
  void SetValue(int twips);
  // The description below the slider, following every slider move.
  std::string Description() const;

  // The text that replaces the selection: left indent or line spacing for
  // the insert button, right indent for the right-indent button.
  std::string InsertText(std::string_view selected) const;
  std::string RightIndentText(std::string_view selected) const;

  // The buttons: replace the selection (the command's guard has made sure
  // it is not empty).
  void Insert(Editor& editor) const;
  void InsertRightIndent(Editor& editor) const;

 private:
  IndentDialogMode mode_;
  SliderSetup slider_;
  int value_;
};

}  // namespace qy
