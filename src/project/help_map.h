// Importing help-map files (".hm", written by an application's build): each
// "HID" line names a help context and its number. The import adds a page for
// every new name and aligns the context IDs of the pages that exist.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/progress.h"
#include "core/prompter.h"
#include "project/page_tree.h"
#include "project/project_model.h"

namespace qy {

struct HelpMapEntry {
  std::string name;  // the help context
  std::int32_t id = 0;
};

enum class HelpMapLineKind {
  kOther,  // not a "HID" line: not for the import
  kEntry,  // a usable name and number
  kBad,    // a "HID" line without a name or without a usable "0x" number
};

// Reads one line. A "HID" line (upper case) names its context by the text
// before the first blank or tab, and its number by up to five hexadecimal
// digits after the first "0x" behind the name; the digits must run to the
// fifth character or to the end of the line.
HelpMapLineKind ParseHelpMapLine(std::string_view line, HelpMapEntry& entry);

// The full path of a help-map file named in the dialog or the list: relative
// names are taken from the project's folder.
std::string ResolveHelpMapPath(const std::string& project_file, const std::string& path);

// What one help-map file did to the project.
struct HelpMapFileReport {
  std::string file;  // full path
  bool read = false;
  int pages_added = 0;
  int pages_changed = 0;
  // Line numbers (from 1) of "HID" lines without a usable name or number.
  std::vector<int> bad_lines;
  // Line numbers of names that differ from an existing page's context only in
  // letter case: the help compiler would take them for the same topic.
  std::vector<int> case_clash_lines;
  // Names not added because the page table was full.
  std::vector<std::string> left_out;
};

struct HelpMapImportResult {
  std::vector<HelpMapFileReport> files;
  bool changed = false;  // some page was added or changed (Modified is set)
  // The page the window selects and shows: the last page added, or the last
  // page of the table.
  int current_page = 0;
  // The tree to show when `changed`.
  PageTree tree;
};

class HelpMapImporter {
 public:
  HelpMapImporter(ProjectModel& model, Prompter& prompter, Progress& progress);

  // Imports one file ("このファイルを参照(&T)") and then rewrites the context
  // list when it exists.
  HelpMapImportResult ImportHelpMap(const std::string& file);
  // Imports every file in order ("参照(&B)"), then rewrites the context list
  // when it exists. Missing and unreadable files are reported and skipped.
  HelpMapImportResult ImportHelpMaps(const std::vector<std::string>& files);

 private:
  HelpMapFileReport ImportFile(const std::string& file);
  // Applies one entry and counts what it did in `report`.
  void Apply(const HelpMapEntry& entry, int line_number, HelpMapFileReport& report);
  void ReportSkipped(const HelpMapFileReport& report);

  ProjectModel& model_;
  Prompter& prompter_;
  Progress& progress_;
};

}  // namespace qy
