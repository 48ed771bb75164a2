// The search-and-replace window ("検索・置換") without its widgets: the
// boxes and options, the hit list, search, replace, jump, the stale-hit
// rule and the window's life (modeless; hidden rather than destroyed while
// it holds hits).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/editor.h"
#include "core/progress.h"
#include "core/prompter.h"
#include "core/settings.h"
#include "markup/find_history.h"
#include "markup/find_pages.h"
#include "markup/find_session.h"
#include "markup/find_window_geometry.h"
#include "project/project_model.h"

namespace qy {

// "検索結果リスト(&T) : " + the count in full-width digits + "個".
std::string HitCountLabel(int count);

class SearchReplaceWindow {
 public:
  SearchReplaceWindow(FindSession& session, Settings& settings, ProjectModel& project,
                      Editor& editor, PageNavigator& navigator, Prompter& prompter,
                      Progress& progress);

  // Closes the normal find dialog (set by the main window).
  std::function<void()> close_normal_find_dialog;

  // --- Life -----------------------------------------------------------------
  bool Exists() const { return exists_; }
  bool Visible() const { return exists_ && visible_; }
  // "検索・置換(&R)...": creates the window when it does not exist (closing
  // the normal find dialog, pre-filling the find box with the editor's
  // selection or the last searched text, taking the case box from
  // FindFlags), then reloads both histories and shows it. The caller
  // applies LoadFindWindowGeometry and the placement.
  void Open();
  // Stores the geometry and both histories. With hits the window only
  // hides; otherwise it is destroyed with its hits.
  FileResult Close(const FindWindowGeometry& geometry);
  // Deleting a page, clearing the project and "検索結果の初期化(&M)": hits
  // are dropped and the window closes (nothing happens without hits).
  void DropHits();
  // Both "通常の検索(&F)..." menu items: disabled while the window is shown.
  bool NormalFindEnabled() const { return !Visible(); }
  // "検索結果の初期化(&M)".
  bool ClearResultsEnabled() const { return session_.result_state == FindResultState::kHits; }

  // --- Controls -------------------------------------------------------------
  std::string find_text;
  std::string replace_text;
  bool case_sensitive = false;
  FindScope scope = FindScope::kProject;
  const TextHistory& find_history() const { return find_history_; }
  const TextHistory& replace_history() const { return replace_history_; }

  bool SearchEnabled() const { return !find_text.empty(); }
  bool JumpEnabled() const;
  bool ReplaceEnabled() const;
  // The label above the result list.
  const std::string& ListLabel() const { return label_; }

  // --- Hits -----------------------------------------------------------------
  const std::vector<FindHit>& hits() const { return hits_; }
  FindHitRow Row(int row) const;
  // The text the hits were found with (kept by the window itself).
  const std::string& searched_text() const { return searched_text_; }

  // "検索(&N)". `announce_not_found`: beep and say so when nothing is found.
  void Search(bool announce_not_found = true);
  // "すべて置換(&L)" and "選択を置換(&R)" (rows of the list). Both search
  // again and report the count. Return the number of replacements.
  int ReplaceAll();
  int ReplaceSelected(const std::vector<int>& rows);

  // "移動(&J)" with a row selected, or a double-click on a row (`by_button`
  // false keeps the window visible).
  bool JumpToRow(int row, bool by_button);
  // "移動(&J)" with no row selected: the next hit behind the caret, on this
  // page or a later one.
  bool JumpToNextHit();

  // --- Stale hits -----------------------------------------------------------
  // Every change of the topic text: while the window holds hits they are
  // stale from now on.
  void TopicEdited();
  bool Stale() const { return stale_; }
  struct ListPosition {
    std::optional<int> selected_row;
    std::optional<int> top_row;
  };
  // The window is activated: stale hits are searched anew (saying so when
  // there are none); the selected and top rows stay where they still exist.
  ListPosition Activated(ListPosition before);

 private:
  int Replace(const std::vector<bool>& chosen);
  void SelectHit(const FindHit& hit);
  void HideAfterJump();
  void Destroy();
  FileResult SaveHistories();

  FindSession& session_;
  Settings& settings_;
  ProjectModel& project_;
  Editor& editor_;
  PageNavigator& navigator_;
  Prompter& prompter_;
  Progress& progress_;

  TextHistory find_history_;
  TextHistory replace_history_;
  std::vector<FindHit> hits_;
  std::string searched_text_;
  std::string label_;
  bool exists_ = false;
  bool visible_ = false;
  bool stale_ = false;
};

}  // namespace qy
