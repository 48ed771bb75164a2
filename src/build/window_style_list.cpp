#include "build/window_style_list.h"

#include "core/codec.h"

namespace qy {

namespace {

std::string UnreadableSectionMessage() {
  return "\r\n" + Sjis("[WINDOWS] の内容をウインドウスタイルの一覧として読み込めませんでした。") +
         "\r\n\r\n" + Sjis("内容はそのまま直接編集で表示します。");
}

}  // namespace

std::string PositionText(int value) { return value == kNotSet ? "" : std::to_string(value); }

WindowStyleList::WindowStyleList() { ResetToDefault(); }

void WindowStyleList::ResetToDefault() {
  styles_ = {DefaultMainWindowStyle()};
  selected_ = 0;
}

bool WindowStyleList::Load(const std::string& windows_section, bool direct_edit,
                           Prompter& prompter) {
  memo_ = windows_section;
  direct_edit_ = direct_edit;
  styles_.clear();
  selected_ = -1;
  if (direct_edit) return true;
  auto parsed = ParseWindowsSection(windows_section);
  if (!parsed) {
    direct_edit_ = true;
    prompter.Warning(UnreadableSectionMessage());
    return false;
  }
  styles_ = std::move(*parsed);
  if (!styles_.empty()) selected_ = 0;
  return true;
}

void WindowStyleList::Select(int index) {
  selected_ = index >= 0 && index < static_cast<int>(styles_.size()) ? index : -1;
}

WindowStyle* WindowStyleList::Selected() {
  return selected_ >= 0 ? &styles_[static_cast<std::size_t>(selected_)] : nullptr;
}

bool WindowStyleList::CanAdd(Prompter& prompter) const {
  if (styles_.size() < static_cast<std::size_t>(kMaxWindowStyles)) return true;
  prompter.Information("\r\n" + Sjis("これ以上ウインドウスタイルを作成できません。"));
  return false;
}

bool WindowStyleList::Add(const std::string& name) {
  if (name.empty() || styles_.size() >= static_cast<std::size_t>(kMaxWindowStyles)) return false;
  styles_.push_back(NewWindowStyle(name));
  selected_ = static_cast<int>(styles_.size()) - 1;
  return true;
}

bool WindowStyleList::DeleteSelected(Prompter& prompter) {
  if (selected_ < 0) return false;
  if (selected_ == 0) {
    prompter.Information("\r\n" + Sjis("ウインドウスタイル \"main\" は削除できません。"));
    return false;
  }
  const int removed = selected_;
  styles_.erase(styles_.begin() + removed);
  // Removing the tenth style leaves nothing selected; the style tabs wait
  // for a new choice.
  selected_ = removed == kMaxWindowStyles - 1 ? -1 : removed - 1;
  return true;
}

bool WindowStyleList::SetPositionText(PositionPart part, std::string_view text) {
  WindowStyle* style = Selected();
  if (!style || text.size() > kPositionDigits) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  const int value = text.empty() ? kNotSet : std::stoi(std::string(text));
  switch (part) {
    case PositionPart::kLeft:
      style->left = value;
      break;
    case PositionPart::kTop:
      style->top = value;
      break;
    case PositionPart::kWidth:
      style->width = value;
      break;
    case PositionPart::kHeight:
      style->height = value;
      break;
  }
  return true;
}

void WindowStyleList::ClearPosition() {
  if (WindowStyle* style = Selected()) {
    style->left = style->top = style->width = style->height = kNotSet;
  }
}

void WindowStyleList::ApplySizingWindow(int left, int top, int width, int height) {
  WindowStyle* style = Selected();
  if (!style) return;
  if (left != kSizingWindowLeft) style->left = left;
  if (top != kSizingWindowTop) style->top = top;
  if (width != kSizingWindowWidth) style->width = width;
  if (height != kSizingWindowHeight) style->height = height;
}

void WindowStyleList::ResetColors() {
  if (WindowStyle* style = Selected()) {
    style->non_scroll_color = kDefaultNonScrollColor;
    style->topic_color = kDefaultTopicColor;
  }
}

bool WindowStyleList::SetDirectEdit(bool on, Prompter& prompter) {
  if (on == direct_edit_) return direct_edit_;
  const std::string head = Sjis("現在のウインドウスタイルの設定は破棄されます。") + "\r\n\r\n";
  if (on) {
    if (prompter.Ask(head + Sjis("直接編集を許可しますか？"), Buttons::kYesNo) != Answer::kYes) {
      return direct_edit_;
    }
    memo_ = BuildWindowsSection(styles_);
    direct_edit_ = true;
  } else {
    if (prompter.Ask(head + Sjis("よろしいですか？"), Buttons::kYesNo) != Answer::kYes) {
      return direct_edit_;
    }
    memo_.clear();
    ResetToDefault();
    direct_edit_ = false;
  }
  return direct_edit_;
}

std::string WindowStyleList::SectionText() const {
  return direct_edit_ ? memo_ : BuildWindowsSection(styles_);
}

}  // namespace qy
