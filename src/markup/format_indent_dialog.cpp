#include "markup/format_indent_dialog.h"

#include <algorithm>

#include "core/codec.h"

namespace qy {

IndentDialogModel::IndentDialogModel(IndentDialogMode mode)
    : mode_(mode),
      slider_(mode == IndentDialogMode::kIndent ? SliderSetup{0, 5000, 200, 50, 100, 100}
                                                : SliderSetup{200, 1000, 300, 10, 50, 50}),
      value_(slider_.start) {}

std::string IndentDialogModel::Caption() const {
  return Sjis(mode_ == IndentDialogMode::kIndent ? "インデントの設定" : "行間設定");
}

std::string IndentDialogModel::SliderLabel() const {
  return Sjis(mode_ == IndentDialogMode::kIndent ? "インデント(&W) :" : "行間(&N) :");
}

std::string IndentDialogModel::InsertButtonCaption() const {
  return Sjis(mode_ == IndentDialogMode::kIndent ? "左インデント(&L)" : "挿入(&I)");
}

void IndentDialogModel::SetValue(int twips) {
  value_ = std::clamp(twips, slider_.minimum, slider_.maximum);
}

std::string IndentDialogModel::Description() const {
  const std::string n = std::to_string(value_);
  if (mode_ == IndentDialogMode::kIndent) {
    return Sjis(" 左右インデントボタンを押すとインデント幅\r\n「 ") + n +
           Sjis(" 」でインデント文をトピックに挿入します。");
  }
  return Sjis(" 挿入ボタンを押すと行間幅「 ") + n +
         Sjis(" 」で行間を設定するヘルプ文をトピックに挿入します。");
}

std::string IndentDialogModel::InsertText(std::string_view selected) const {
  return mode_ == IndentDialogMode::kIndent ? IndentText(IndentSide::kLeft, value_, selected)
                                            : LineSpacingText(value_, selected);
}

std::string IndentDialogModel::RightIndentText(std::string_view selected) const {
  return IndentText(IndentSide::kRight, value_, selected);
}

void IndentDialogModel::Insert(Editor& editor) const {
  editor.SetSelText(InsertText(editor.SelText()));
}

void IndentDialogModel::InsertRightIndent(Editor& editor) const {
  if (!HasRightIndentButton()) return;
  editor.SetSelText(RightIndentText(editor.SelText()));
}

}  // namespace qy
