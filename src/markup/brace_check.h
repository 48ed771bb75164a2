// The brace check over all pages ("括弧の適合チェック") and the state of its
// modeless window: the rows of unbalanced pages, the final message and the
// re-check when the window comes back after the topic text changed.
#pragma once

#include <string>
#include <vector>

#include "core/progress.h"
#include "core/prompter.h"
#include "project/project_model.h"

namespace qy {

struct BraceCheckRow {
  int page = 0;  // 1-based
  std::string title;
  std::string context;
  int open = 0;
  int close = 0;
};

// Counts the braces of every page's topic text in page order (pages of any
// kind take part) and returns the pages whose counts differ. With
// `progress`, the bar runs from 0 to the page count and pending window
// messages run after every page.
std::vector<BraceCheckRow> CheckBraces(const ProjectModel& project, Progress* progress = nullptr);

// A count column of the list: the number followed by "個".
std::string BraceCountText(int count);

// The message after a check started by the button.
std::string BraceCheckResultMessage(std::size_t rows);

// The page a double-clicked row leads to: the first page whose Context is
// `context`, 0 when there is none any more.
int PageOfBraceRow(const ProjectModel& project, const std::string& context);

// The window's list and its staleness.
class BraceCheckWindow {
 public:
  BraceCheckWindow(const ProjectModel& project, Progress& progress)
      : project_(project), progress_(progress) {}

  const std::vector<BraceCheckRow>& rows() const { return rows_; }
  bool stale() const { return stale_; }
  // The progress label "チェック中..." is shown while this is true.
  bool checking() const { return checking_; }

  // "チェック(&C)": checks and reports the result.
  void CheckByButton(Prompter& prompter);
  // Every edit of the topic text while the window is open.
  void OnTopicEdited() { stale_ = true; }
  // Activation: a stale, non-empty list is checked again silently.
  void OnActivated();

 private:
  void Run();

  const ProjectModel& project_;
  Progress& progress_;
  std::vector<BraceCheckRow> rows_;
  bool stale_ = false;
  bool checking_ = false;
};

}  // namespace qy
