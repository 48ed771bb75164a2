#include "markup/find_pages.h"

#include "markup/find_text_match.h"

namespace qy {

std::string HitKey(const FindHit& hit) {
  return std::to_string(hit.page) + "=" + std::to_string(hit.position);
}

namespace {
std::optional<int> Decimal(std::string_view digits) {
  if (digits.empty() || digits.size() > 9) return std::nullopt;
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}
}  // namespace

std::optional<FindHit> ParseHitKey(std::string_view key) {
  const std::size_t eq = key.find('=');
  // Page numbers have one to three digits, so "=" is the 2nd to 4th byte.
  if (eq == std::string_view::npos || eq < 1 || eq > 3) return std::nullopt;
  auto page = Decimal(key.substr(0, eq));
  auto position = Decimal(key.substr(eq + 1));
  if (!page || !position) return std::nullopt;
  return FindHit{*page, *position};
}

FindHitRow MakeHitRow(const ProjectModel& project, const FindHit& hit) {
  FindHitRow row;
  row.key = HitKey(hit);
  if (!project.ValidPage(hit.page)) return row;
  const PageRecord& page = project.Page(hit.page);
  row.title = page.Title;
  row.context = page.Context;
  row.attribute = page.Attribute;
  const std::size_t start = static_cast<std::size_t>(hit.position > 0 ? hit.position - 1 : 0);
  if (start < page.Topic.size()) {
    const std::size_t end = page.Topic.find("\r\n", start);
    row.excerpt = page.Topic.substr(start, end == std::string::npos ? end : end - start);
  }
  return row;
}

std::vector<FindHit> SearchPages(const ProjectModel& project, const PageSearch& search,
                                 Progress* progress) {
  std::vector<FindHit> hits;
  int first = 1;
  int last = project.PageCount();
  if (search.scope == FindScope::kPage) {
    if (!project.ValidPage(search.current_page)) return hits;
    first = last = search.current_page;
  }
  if (progress) {
    progress->SetRange(last - first + 1);
    progress->SetPosition(0);
  }
  if (search.text.empty()) return hits;

  std::optional<CaseBlindNeedle> case_blind;
  if (!search.case_sensitive) case_blind.emplace(search.text);
  for (int p = first; p <= last; ++p) {
    const PageRecord& page = project.Page(p);
    if (HasTopicText(page.Attribute)) {
      auto add = [&](std::size_t at) {
        hits.push_back({p, static_cast<int>(at) + 1});
        return true;
      };
      if (case_blind) {
        case_blind->ForEachMatch(page.Topic, 0, add);
      } else {
        ForEachMatch(page.Topic, search.text, 0, add);
      }
    }
    if (progress) {
      progress->Step();
      progress->Pump();
    }
  }
  return hits;
}

int ReplaceHits(ProjectModel& project, const std::vector<FindHit>& hits,
                const std::vector<bool>& chosen, std::string_view find,
                std::string_view replacement, Progress* progress) {
  if (find.empty()) return 0;
  if (progress) {
    progress->SetRange(static_cast<int>(hits.size()));
    progress->SetPosition(0);
  }
  const std::string upper_find = UpperCase(find);
  std::string upper;
  int replaced = 0;
  for (std::size_t i = 0; i < hits.size();) {
    const int page = hits[i].page;
    std::size_t end = i;
    while (end < hits.size() && hits[end].page == page) ++end;

    if (project.ValidPage(page) && HasTopicText(project.Page(page).Attribute)) {
      const std::string& topic = project.Page(page).Topic;
      std::string out;
      std::size_t copied = 0;
      int on_page = 0;
      for (std::size_t k = i; k < end; ++k) {
        if (!chosen.empty() && (k >= chosen.size() || !chosen[k])) continue;
        if (hits[k].position < 1) continue;
        const auto at = static_cast<std::size_t>(hits[k].position - 1);
        if (at < copied || at + find.size() > topic.size()) continue;
        UpperCaseInto(std::string_view(topic).substr(at, find.size()), upper);
        if (upper != upper_find) continue;
        if (on_page == 0) out.reserve(topic.size() + replacement.size());
        out.append(topic, copied, at - copied);
        out += replacement;
        copied = at + find.size();
        ++on_page;
      }
      if (on_page > 0) {
        out.append(topic, copied);
        project.MutablePage(page).Topic = std::move(out);
        replaced += on_page;
      }
    }
    i = end;
    if (progress) {
      progress->SetPosition(static_cast<int>(i));
      progress->Pump();
    }
  }
  return replaced;
}

}  // namespace qy
