// The last five project files, newest first, kept in the settings file
// (section "Recent Files", RecentFile1..RecentFile5) and offered in the File
// menu and the pop-up of the open button.
//
// File names come in as native paths (what the file system takes); the
// settings file and the menu captions hold them as Shift-JIS.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/prompter.h"
#include "core/settings.h"
#include "project/project_document.h"

namespace qy {

// One entry of the recent-files menus.
struct RecentMenuItem {
  bool visible = false;
  std::string caption;  // "&" + position + " " + path
  std::string hint;     // "プロジェクトファイル '" + path + "' を開きます。"
};

class RecentFiles {
 public:
  explicit RecentFiles(Settings& settings) : settings_(settings) {}

  // The listed paths (Shift-JIS), RecentFile1 up to the first empty key.
  std::vector<std::string> Entries() const;

  // Whether `file` is listed (compared by SamePath); a listed file moves to
  // the top.
  bool RecentFileKnown(const std::string& file);
  // Puts `file` at the top; the oldest of five falls out.
  void AddRecentFile(const std::string& file);
  // Removes the entry at `position` (1..5); the later ones move up.
  void RemoveRecentFile(int position);
  // Empties the whole list ("ファイル略歴をクリア(&R)").
  void ClearRecentFiles();
  // After a successful open or save-as: a known file moves to the top, a new
  // one is added.
  void NoteProjectFile(const std::string& file);
  // Lets `document` enter every project it opens or saves under a new name.
  void Attach(ProjectDocument& document);

  // "RebuildRecentMenus": the five menu items and whether the separator
  // above them shows.
  std::vector<RecentMenuItem> MenuItems() const;
  bool SeparatorVisible() const { return !Entries().empty(); }

  // Opens the entry at `position`. A file that no longer exists is reported
  // and removed from the list; otherwise the save question comes first (it
  // also takes back a page out in the external editor), then the project is
  // opened. Returns whether a project was opened.
  bool OpenRecentFile(int position, ProjectDocument& document, Prompter& prompter,
                      bool focus_editor = true);

  // Called after every change of the list so that the window rebuilds its
  // menus.
  std::function<void()> on_changed;

 private:
  // Writes all five keys so that no stale entry survives behind the list.
  void Store(const std::vector<std::string>& entries);

  Settings& settings_;
};

// The warning for a recent file that is gone (Shift-JIS path).
std::string MissingRecentFileMessage(const std::string& sjis_path);

}  // namespace qy
