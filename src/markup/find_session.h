// The find state the main window keeps for the whole run, shared by the
// search-and-replace window, the normal find dialog, the find commands and
// the toolbar, and the page switch the search tools use.
#pragma once

#include <string>

#include "core/editor.h"
#include "core/settings.h"
#include "project/project_model.h"

namespace qy {

enum class FindResultState {
  kNone = 0,  // no hits (the window, if any, has been destroyed)
  kHits = 1,  // the search-and-replace window holds hits
  kDone = 2,  // after a search without hits or after a replace
};

inline constexpr int kFindCaseSensitive = 2;

struct FindSession {
  std::string last_find_text;
  int find_flags = 0;  // kFindCaseSensitive or 0
  bool auto_next = false;
  bool dialog_open = false;
  FindResultState result_state = FindResultState::kNone;

  bool CaseSensitive() const { return find_flags == kFindCaseSensitive; }
  void SetCaseSensitive(bool on) { find_flags = on ? kFindCaseSensitive : 0; }
  // Reads FindAutoNext (Option/FindItAuto) at start.
  void Load(const Settings& settings);
  // A new or opened project: nothing has been searched in it. (The caller
  // also closes the normal find dialog and drops the window's hits.)
  void ProjectCleared() { last_find_text.clear(); }
};

// Selecting a page in the main page tree: the page becomes current and its
// text is loaded into the editor with the caret at the start.
class PageNavigator {
 public:
  virtual ~PageNavigator() = default;
  virtual int CurrentPage() const = 0;
  virtual void SelectPage(int page) = 0;
};

// The page switch without a window: sets the model's current page and
// loads the page's topic into the editor.
class EditorPageNavigator : public PageNavigator {
 public:
  EditorPageNavigator(ProjectModel& project, Editor& editor) : project_(project), editor_(editor) {}
  int CurrentPage() const override { return project_.CurrentPage(); }
  void SelectPage(int page) override;

 private:
  ProjectModel& project_;
  Editor& editor_;
};

}  // namespace qy
