#include "build/property_lists.h"

#include <algorithm>
#include <utility>

#include "build/window_style.h"
#include "core/codec.h"

namespace qy {

std::string ExitButtonLine() { return Sjis("CreateButton(\"Execute\",\"終了(&X)\",\"Exit()\")"); }

bool ConfigEditor::Load(const std::string& config_section, bool direct_edit, Prompter& prompter) {
  memo_ = config_section;
  direct_edit_ = direct_edit;
  browse_ = exit_ = false;
  if (direct_edit) return true;
  const std::string exit_line = ExitButtonLine();
  bool foreign = false;
  for (const auto& line : SplitTextLines(config_section)) {
    if (line == kBrowseButtonsLine) {
      browse_ = true;
    } else if (line == exit_line) {
      exit_ = true;
    } else if (!line.empty()) {
      foreign = true;
    }
  }
  if (!foreign) return true;
  browse_ = exit_ = false;
  direct_edit_ = true;
  prompter.Warning("\r\n" + Sjis("[CONFIG] にボタン設定以外の行があります。") + "\r\n\r\n" +
                   Sjis("内容はそのまま直接編集で表示します。"));
  return false;
}

std::string ConfigEditor::BoxText() const {
  std::string text;
  if (browse_) text = kBrowseButtonsLine;
  if (exit_) {
    if (!text.empty()) text += "\r\n";
    text += ExitButtonLine();
  }
  return text;
}

bool ConfigEditor::SetDirectEdit(bool on, Prompter& prompter) {
  if (on == direct_edit_) return direct_edit_;
  if (on) {
    if (prompter.Ask(Sjis("現在のボタン設定は破棄されます。") + "\r\n\r\n" +
                         Sjis("直接編集を許可しますか？"),
                     Buttons::kYesNo) != Answer::kYes) {
      return direct_edit_;
    }
    memo_ = BoxText();
    direct_edit_ = true;
  } else {
    if (prompter.Ask(
            Sjis("現在の[CONFIG]の設定は破棄されます。") + "\r\n\r\n" + Sjis("よろしいですか？"),
            Buttons::kYesNo) != Answer::kYes) {
      return direct_edit_;
    }
    browse_ = exit_ = false;
    direct_edit_ = false;
  }
  return direct_edit_;
}

std::string ConfigEditor::SectionText() const { return direct_edit_ ? memo_ : BoxText(); }

void WordList::Load(const std::string& word_field) {
  words_ = SplitTextLines(word_field);
  selected_ = words_.empty() ? -1 : 0;
}

std::string WordList::Text() const {
  std::string text;
  for (std::size_t i = 0; i < words_.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += words_[i];
  }
  return text;
}

void WordList::Select(int index) {
  selected_ = index >= 0 && index < static_cast<int>(words_.size()) ? index : -1;
}

bool WordList::Add(const std::string& entry, Prompter& prompter) {
  if (words_.size() >= static_cast<std::size_t>(kMaxWords)) {
    prompter.Information(Sjis("よく使う言葉が10個登録されています。") + "\r\n\r\n" +
                         Sjis("これ以上よく使う言葉を追加できません。"));
    return false;
  }
  if (entry.empty()) return false;
  words_.push_back(entry);
  return true;
}

bool WordList::Change(const std::string& entry) {
  if (selected_ < 0 || entry.empty()) return false;
  words_[static_cast<std::size_t>(selected_)] = entry;
  return true;
}

bool WordList::DeleteSelected() {
  if (selected_ < 0) return false;
  words_.erase(words_.begin() + selected_);
  selected_ = words_.empty() ? -1 : std::max(0, selected_ - 1);
  return true;
}

bool WordList::MoveUp(Prompter& prompter) {
  if (selected_ < 0) return false;
  if (selected_ == 0) {
    prompter.Information("\r\n" + Sjis("この言葉はリストの先頭にあります。"));
    return false;
  }
  std::swap(words_[static_cast<std::size_t>(selected_)],
            words_[static_cast<std::size_t>(selected_ - 1)]);
  --selected_;
  return true;
}

bool WordList::MoveDown(Prompter& prompter) {
  if (selected_ < 0) return false;
  if (selected_ + 1 >= static_cast<int>(words_.size())) {
    prompter.Information("\r\n" + Sjis("この言葉はリストの最後にあります。"));
    return false;
  }
  std::swap(words_[static_cast<std::size_t>(selected_)],
            words_[static_cast<std::size_t>(selected_ + 1)]);
  ++selected_;
  return true;
}

}  // namespace qy
