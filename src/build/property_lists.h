// The configuration tab ([CONFIG] as two boxes or as text) and the list of
// frequently used words of the project properties.
#pragma once

#include <string>
#include <vector>

#include "core/prompter.h"

namespace qy {

inline constexpr char kBrowseButtonsLine[] = "BrowseButtons()";
// CreateButton("Execute","終了(&X)","Exit()") in Shift-JIS.
std::string ExitButtonLine();

inline constexpr int kMaxWords = 10;

class ConfigEditor {
 public:
  // `direct_edit` is character 6 of ProjectOptions. In box mode a section
  // holding lines the two boxes can not stand for (edited outside the
  // program) is shown for direct editing instead, with a message, so that
  // those lines survive. Returns false in that case.
  bool Load(const std::string& config_section, bool direct_edit, Prompter& prompter);

  bool direct_edit() const { return direct_edit_; }
  const std::string& memo() const { return memo_; }
  void SetMemo(std::string text) { memo_ = std::move(text); }
  bool browse() const { return browse_; }
  bool exit_button() const { return exit_; }
  void SetBrowse(bool on) { browse_ = on; }
  void SetExitButton(bool on) { exit_ = on; }

  // The direct-edit box, confirmed with the user; returns the resulting mode.
  bool SetDirectEdit(bool on, Prompter& prompter);

  // What OK stores as ConfigSection.
  std::string SectionText() const;

 private:
  std::string BoxText() const;

  bool direct_edit_ = false;
  std::string memo_;
  bool browse_ = false;
  bool exit_ = false;
};

class WordList {
 public:
  // One word per line of the project's Word field.
  void Load(const std::string& word_field);
  // The words joined by CR LF.
  std::string Text() const;

  const std::vector<std::string>& words() const { return words_; }
  int selected() const { return selected_; }
  void Select(int index);

  // "追加": appends a non-empty entry; a full list is refused with a message.
  bool Add(const std::string& entry, Prompter& prompter);
  // "変更": the selected word becomes a non-empty entry.
  bool Change(const std::string& entry);
  // "削除": the previous word (or the first) is selected afterwards.
  bool DeleteSelected();
  // "上" and "下"; at either end a message says why nothing moved.
  bool MoveUp(Prompter& prompter);
  bool MoveDown(Prompter& prompter);

 private:
  std::vector<std::string> words_;
  int selected_ = -1;
};

}  // namespace qy
