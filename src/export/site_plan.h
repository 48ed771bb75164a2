// What an export writes, decided once from the project before any page is
// rendered: the page files and their names, the browse sequence, the
// contents tree, the keyword lists and the context numbers of the map
// header. The HTML site and the HTML Help file share it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "project/project_model.h"

namespace qy::help_export {

// One written page: a Topic or Popup page with a context.
struct SitePage {
  int page = 0;      // 1..PageCount()
  std::string file;  // ASCII file name, also its link target
  bool popup = false;
  int previous = -1;  // browse neighbours (indexes into SitePlan::pages)
  int next = -1;
};

// A contents entry: a book (no file) or a page to open. `level` counts
// from 1 as in the contents file.
struct ContentsEntry {
  int level = 1;
  std::string title;  // Shift-JIS
  std::string file;   // empty for a book and for an entry whose target is unknown
  bool book = false;
};

struct KeywordEntry {
  std::string keyword;     // Shift-JIS, as the first page wrote it
  std::vector<int> pages;  // indexes into SitePlan::pages, in page order
};

struct SitePlan {
  std::vector<SitePage> pages;
  std::vector<ContentsEntry> contents;
  std::vector<KeywordEntry> k_keywords;                   // sorted
  std::vector<KeywordEntry> a_keywords;                   // sorted
  std::vector<std::pair<std::int32_t, int>> context_ids;  // ContextID -> page index
  // Notes about the project itself (Include pages, contents entries that lead
  // nowhere), Shift-JIS.
  std::vector<std::string> notes;

  // The page index of a context (ASCII case ignored), -1 when none.
  int FindContext(std::string_view context) const;
  // Index of the first Topic page, -1 when the project has none.
  int FirstTopic() const;

  std::map<std::string, int> by_context;  // ASCII upper-case context -> index
};

// The file a context is written to: letters, digits, '.', '_' and '-' stay,
// any other byte becomes "~XX", so the name is the same on disk and in a URL.
std::string PageFileName(std::string_view context);

SitePlan PlanSite(const ProjectModel& project);

// The keywords of a keyword field: split at ';', blanks around each dropped,
// empty ones left out.
std::vector<std::string> SplitKeywords(std::string_view field);

// The keywords that `keys` (a KLink/ALink argument, ';'-separated) finds in
// `list`, ASCII case ignored: the union of their pages in page order.
std::vector<int> PagesOfKeywords(const std::vector<KeywordEntry>& list, std::string_view keys);

}  // namespace qy::help_export
