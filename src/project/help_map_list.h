// The help-map list (".qym" beside the project file): the help-map files
// (".hm") that belong to the project, kept for the help-map dialog.
//
//   Quillory Second Project Ver1.47
//   <empty line>
//   //HelpMap//
//   Path=<help-map file>      one line per file, in list order
//   //End//
#pragma once

#include <string>
#include <vector>

#include "core/files.h"

namespace qy {

inline constexpr char kHelpMapListHeader[] = "Quillory Second Project Ver1.47";

// The list file of the project file `project_file` ("" for "").
std::string HelpMapListFileName(const std::string& project_file);

// True when the file name's extension is ".hm" in any letter case.
bool IsHelpMapFileName(const std::string& path);

// Entries of a list file, as native paths. A missing file or one with another
// first line gives an empty list.
std::vector<std::string> ReadHelpMapList(const std::string& list_file);
// The file's text for `entries` (native paths, written as Shift-JIS).
std::string HelpMapListText(const std::vector<std::string>& entries);
// Writes the list atomically, or deletes the file when the list is empty.
FileResult WriteHelpMapList(const std::string& list_file, const std::vector<std::string>& entries);

// The list as the help-map dialog keeps it: every change is written through
// to the list file at once.
class HelpMapList {
 public:
  // Loads `list_file` when it exists and has the right header.
  explicit HelpMapList(std::string list_file);

  const std::vector<std::string>& Entries() const { return entries_; }
  const std::string& FileName() const { return file_; }

  struct Update {
    bool changed = false;  // the list changed and the file was (re)written
    FileResult written;    // how writing the file went
  };
  // "追加(&A)": appends the file in the box unless the box is empty or the
  // name is not a ".hm" file; the same file may be listed twice.
  Update Add(const std::string& path);
  // Files dropped on the dialog: every ".hm" file not yet listed (exact text
  // comparison) is appended; other files are ignored.
  Update Drop(const std::vector<std::string>& paths);
  // "削除(&D)": removes entry `index` (from 0); the file goes with the last
  // entry.
  Update Remove(std::size_t index);

 private:
  Update Write();

  std::string file_;
  std::vector<std::string> entries_;
};

}  // namespace qy
