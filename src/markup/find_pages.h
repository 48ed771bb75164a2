// The page search and replace of the search-and-replace window: every
// occurrence of a text in the topic text of all pages (or one page), and
// the replacement of all or some of those occurrences.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/progress.h"
#include "project/project_model.h"

namespace qy {

// One occurrence: page number (1-based) and the 1-based byte position of
// its first byte in the page's Topic.
struct FindHit {
  int page = 0;
  int position = 0;
  bool operator==(const FindHit&) const = default;
};

// The list key of a hit: page + "=" + position, e.g. "12=305".
std::string HitKey(const FindHit& hit);
// nullopt unless the "=" stands at byte 2, 3 or 4 between two decimal
// numbers.
std::optional<FindHit> ParseHitKey(std::string_view key);

// The columns of a hit's row, made from the page as it is now.
struct FindHitRow {
  std::string title;
  std::string excerpt;  // from the hit to the end of its line
  std::string context;
  PageAttribute attribute = kTopicPage;  // chooses the icon
  std::string key;
};
FindHitRow MakeHitRow(const ProjectModel& project, const FindHit& hit);

enum class FindScope { kProject, kPage };

struct PageSearch {
  std::string text;  // as typed
  bool case_sensitive = false;
  FindScope scope = FindScope::kProject;
  int current_page = 1;  // the page of FindScope::kPage
};

// Every non-overlapping occurrence in page order. Only the topic text of
// Topic, Popup and Content pages is searched. The progress advances by one
// per page.
std::vector<FindHit> SearchPages(const ProjectModel& project, const PageSearch& search,
                                 Progress* progress = nullptr);

// Replaces the hits for which `chosen(i)` holds (all when `chosen` is
// empty) by `replacement`. Hits come in search order; each page is rebuilt
// in one pass, so later hits on a page move with the length change of the
// earlier ones. A hit whose text no longer matches `find` (apart from
// letter case), or that overlaps an earlier one, is left alone. Returns the
// number of occurrences replaced.
int ReplaceHits(ProjectModel& project, const std::vector<FindHit>& hits,
                const std::vector<bool>& chosen, std::string_view find,
                std::string_view replacement, Progress* progress = nullptr);

}  // namespace qy
