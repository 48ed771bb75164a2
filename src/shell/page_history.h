// The last ten pages visited in the current project, newest first, each with
// the caret position it had when it was left, and the page switch of the main
// window that feeds it. Entries name pages by context, so an entry whose page
// was deleted or renamed elsewhere simply leads nowhere.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/editor.h"
#include "project/project_model.h"

namespace qy {

inline constexpr int kPageHistoryEntries = 10;

struct PageHistoryEntry {
  std::string context;  // "" = an empty entry
  int caret = 0;        // caret offset in the page's topic text
};

// An entry of the history pop-ups.
struct PageHistoryMenuItem {
  bool visible = false;
  // "&1" .. "&9", "&0", a blank and the title of the entry's page (no title
  // when no page has that context any more).
  std::string caption;
};

class PageHistory {
 public:
  PageHistory() : entries_(kPageHistoryEntries) {}

  // Entry 0..9; entry 0 is the newest.
  const PageHistoryEntry& Entry(int k) const { return entries_[static_cast<std::size_t>(k)]; }
  // The non-empty contexts, newest first.
  std::vector<std::string> Contexts() const;

  // Enters the page with context `context` as the newest entry (position
  // 0); an earlier entry for it goes, so no context appears twice.
  void RecordPageVisit(const std::string& context);
  // The page `context` is being left with the caret at `caret`: kept in
  // entry 0 when that entry is this page.
  void StoreCaret(const std::string& context, int caret);
  // "移動略歴の初期化(&F)": empties entries 1..9; entry 0 (the current page)
  // stays.
  void ClearPageHistory();
  // Empties every entry (another project was opened or a new one made).
  void Reset();

  // A page was deleted: its entry goes and the later ones move up with their
  // caret positions.
  void OnPageDeleted(const std::string& context);
  // The page properties were accepted for the page that had `old_context`:
  // its entry takes the new context, so the page stays reachable.
  void OnPagePropertiesAccepted(const std::string& old_context, const std::string& new_context);

  std::vector<PageHistoryMenuItem> MenuItems(const ProjectModel& model) const;

  // Where entry k leads: the page (from 1) whose context matches it and the
  // caret position to restore; nothing for an empty entry or a page that is
  // gone, in which case the current page stays as it is.
  struct Target {
    int page = 0;
    int caret = 0;
  };
  std::optional<Target> TargetOf(int k, const ProjectModel& model) const;

 private:
  void RemoveAt(std::size_t k);

  std::vector<PageHistoryEntry> entries_;
};

// The page switch of the main window ("ShowPage"): keeps the caret of the
// page being left, makes `page` current, loads its topic into the editor
// (without undo memory, read-only for Include pages and books) and, while the
// page tree pane shows, enters the page into the history. Loading the text is
// no change of the project: Modified keeps its value. `on_shown` lets the
// window refresh the keyword bar and an open preview.
class PageSwitch {
 public:
  PageSwitch(ProjectModel& model, Editor& editor, PageHistory& history)
      : model_(model), editor_(editor), history_(history) {}

  void ShowPage(int page);
  // Goes to history entry k and puts the caret where it was when that page
  // was left; false (nothing changed) when the entry leads nowhere.
  bool GoToHistoryEntry(int k);
  // The history bookkeeping of a deleted page and of accepted page
  // properties, which also keeps track of the page in the editor.
  void PageDeleted(const std::string& context);
  void PagePropertiesAccepted(const std::string& old_context, const std::string& new_context);

  // Whether the page tree pane is visible; page changes enter the history
  // only then.
  std::function<bool()> tree_visible;
  std::function<void(int page)> on_shown;

 private:
  ProjectModel& model_;
  Editor& editor_;
  PageHistory& history_;
  // The context of the page whose text the editor holds: its caret is the
  // one kept when the next page is shown.
  std::string shown_context_;
};

}  // namespace qy
