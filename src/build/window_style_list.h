// The windows tab of the project properties: up to ten window styles in
// list form, or the [WINDOWS] text edited directly, with the switch between
// the two.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "build/window_style.h"
#include "core/prompter.h"

namespace qy {

// The geometry the sizing window opens with; a component still equal to it
// was not chosen by the user.
inline constexpr int kSizingWindowLeft = 100;
inline constexpr int kSizingWindowTop = 100;
inline constexpr int kSizingWindowWidth = 250;
inline constexpr int kSizingWindowHeight = 250;
// The position edits take at most this many digits.
inline constexpr std::size_t kPositionDigits = 9;

enum class PositionPart { kLeft, kTop, kWidth, kHeight };

class WindowStyleList {
 public:
  // List mode with the single default style, selected.
  WindowStyleList();

  // Loads the tab from the project: `direct_edit` is character 5 of
  // ProjectOptions. In list mode a text that does not read as a list (it was
  // edited outside the program) is shown for direct editing instead, with a
  // message, so that nothing of it is lost. Returns false in that case.
  bool Load(const std::string& windows_section, bool direct_edit, Prompter& prompter);

  bool direct_edit() const { return direct_edit_; }
  const std::string& memo() const { return memo_; }
  void SetMemo(std::string text) { memo_ = std::move(text); }

  const std::vector<WindowStyle>& styles() const { return styles_; }
  // -1 when no style is selected.
  int selected() const { return selected_; }
  void Select(int index);
  // The selected style; null when none is.
  WindowStyle* Selected();
  bool SelectedIsMain() const { return selected_ == 0; }

  // "新規": true when a style may be added; otherwise shows why.
  bool CanAdd(Prompter& prompter) const;
  // Appends a new style named `name` and selects it; an empty name or a
  // full list adds nothing.
  bool Add(const std::string& name);
  // "削除": the main style stays (with a message); any other selected style
  // goes, and the one above it is selected.
  bool DeleteSelected(Prompter& prompter);

  // A position edit's text: digits only, at most kPositionDigits; empty is
  // "not set". Anything else is refused (false) and stores nothing.
  bool SetPositionText(PositionPart part, std::string_view text);
  // "デフォルト(&D)" of the position tab.
  void ClearPosition();
  // The sizing window's OK: components still at its opening geometry stay.
  void ApplySizingWindow(int left, int top, int width, int height);
  // "デフォルトカラー(&D)".
  void ResetColors();

  // The direct-edit box. Confirms with the user; returns the mode that
  // results (unchanged when the user says No).
  bool SetDirectEdit(bool on, Prompter& prompter);

  // What OK stores as WindowsSection.
  std::string SectionText() const;

 private:
  void ResetToDefault();

  std::vector<WindowStyle> styles_;
  int selected_ = -1;
  bool direct_edit_ = false;
  std::string memo_;
};

// The text of a position edit for a stored component.
std::string PositionText(int value);

}  // namespace qy
