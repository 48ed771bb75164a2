#include "export/site_plan.h"

#include <algorithm>
#include <cstdio>

#include "core/codec.h"
#include "core/cp932.h"
#include "export/page_render.h"
#include "topic/hotspot_target.h"

namespace qy::help_export {

namespace {

// ASCII letters folded, double-byte characters untouched (a trail byte can
// be a letter).
std::string FoldKey(std::string_view text) {
  std::string key;
  key.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(c) && i + 1 < text.size()) {
      key += text[i];
      key += text[++i];
    } else {
      key += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    }
  }
  return key;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::vector<KeywordEntry> CollectKeywords(const ProjectModel& project, const SitePlan& plan,
                                          std::string PageRecord::*field) {
  std::map<std::string, KeywordEntry> merged;
  for (std::size_t i = 0; i < plan.pages.size(); ++i) {
    const PageRecord& page = project.Page(plan.pages[i].page);
    for (const std::string& keyword : SplitKeywords(page.*field)) {
      KeywordEntry& entry = merged[FoldKey(keyword)];
      if (entry.keyword.empty()) entry.keyword = keyword;
      if (entry.pages.empty() || entry.pages.back() != static_cast<int>(i)) {
        entry.pages.push_back(static_cast<int>(i));
      }
    }
  }
  // Shift-JIS byte order puts kana in syllabary order and the common kanji
  // in reading order, the order a Japanese index is read in.
  std::vector<KeywordEntry> list;
  list.reserve(merged.size());
  for (auto& [key, entry] : merged) list.push_back(std::move(entry));
  return list;
}

std::string FirstLine(const std::string& text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

// A contents entry's target: "context[@file][>window]" or a macro. Only a
// context of this project, a jump macro to one, or a program's file has a
// place on the web.
std::string ContentTarget(const SitePlan& plan, const std::string& line) {
  std::string_view target = Trim(line);
  if (!target.empty() && target.front() == '!') target.remove_prefix(1);
  if (target.find('(') != std::string_view::npos) {
    const MacroCall call = ParseMacroCall(std::string(target));
    std::string name = call.name;
    for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    if ((name == "execfile" || name == "ef") && !call.arguments.empty()) {
      return UrlEncode(Cp932ToUtf8(call.arguments[0]));
    }
    const topic::MacroLink link = topic::LinkOfMacro(target);
    const int found = link.popup ? -1 : plan.FindContext(link.context);
    return found < 0 ? std::string() : plan.pages[static_cast<std::size_t>(found)].file;
  }
  if (target.find('@') != std::string_view::npos) return {};
  const int found = plan.FindContext(target.substr(0, target.find('>')));
  return found < 0 ? std::string() : plan.pages[static_cast<std::size_t>(found)].file;
}

}  // namespace

std::string PageFileName(std::string_view context) {
  std::string name;
  for (unsigned char c : context) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
        c == '_' || c == '-') {
      name += static_cast<char>(c);
    } else {
      char buffer[4];
      std::snprintf(buffer, sizeof buffer, "~%02X", c);
      name += buffer;
    }
  }
  return name + ".html";
}

std::vector<std::string> SplitKeywords(std::string_view field) {
  std::vector<std::string> keywords;
  std::size_t start = 0;
  while (start <= field.size()) {
    std::size_t end = start;
    // A ';' trail byte belongs to its character.
    while (end < field.size() && field[end] != ';') {
      end += IsLeadByte(static_cast<unsigned char>(field[end])) && end + 1 < field.size() ? 2 : 1;
    }
    const std::string_view keyword = Trim(field.substr(start, end - start));
    if (!keyword.empty()) keywords.emplace_back(keyword);
    start = end + 1;
  }
  return keywords;
}

std::vector<int> PagesOfKeywords(const std::vector<KeywordEntry>& list, std::string_view keys) {
  std::vector<int> pages;
  for (const std::string& key : SplitKeywords(keys)) {
    const std::string folded = FoldKey(key);
    for (const KeywordEntry& entry : list) {
      if (FoldKey(entry.keyword) == folded) {
        pages.insert(pages.end(), entry.pages.begin(), entry.pages.end());
      }
    }
  }
  std::sort(pages.begin(), pages.end());
  pages.erase(std::unique(pages.begin(), pages.end()), pages.end());
  return pages;
}

int SitePlan::FindContext(std::string_view context) const {
  auto it = by_context.find(FoldKey(Trim(context)));
  return it == by_context.end() ? -1 : it->second;
}

int SitePlan::FirstTopic() const {
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (!pages[i].popup) return static_cast<int>(i);
  }
  return -1;
}

SitePlan PlanSite(const ProjectModel& project) {
  SitePlan plan;
  int last_topic = -1;
  for (int i = 1; i <= project.PageCount(); ++i) {
    const PageRecord& p = project.Page(i);
    if (!IsHelpTopic(p.Attribute) || p.Context.empty()) continue;
    const std::string key = FoldKey(p.Context);
    if (plan.by_context.count(key) != 0) {
      plan.notes.push_back(
          Sjis("ページ ") + std::to_string(i) + " (" + p.Context + ")" +
          Sjis(": 同じコンテキストのページが前にあるため、書き出しませんでした。"));
      continue;
    }
    SitePage page;
    page.page = i;
    page.file = PageFileName(p.Context);
    page.popup = p.Attribute == kPopupPage;
    const int index = static_cast<int>(plan.pages.size());
    if (!page.popup) {
      page.previous = last_topic;
      if (last_topic >= 0) plan.pages[static_cast<std::size_t>(last_topic)].next = index;
      last_topic = index;
    }
    plan.by_context[key] = index;
    plan.context_ids.emplace_back(p.ContextID, index);
    plan.pages.push_back(std::move(page));
  }
  std::sort(plan.context_ids.begin(), plan.context_ids.end());

  // The contents follow the contents file: entries one level below the last
  // book, books at their own level.
  int level = 1;
  for (int i = 1; i <= project.PageCount(); ++i) {
    const PageRecord& p = project.Page(i);
    if (IsBook(p.Attribute)) {
      const int book_level = std::min(BookLevel(p.Attribute), kMaxBookLevel);
      plan.contents.push_back({book_level, p.Title, {}, true});
      level = book_level + 1;
    } else if (p.Attribute == kTopicPage) {
      // A page left out for its repeated context has no entry either.
      const int found = plan.FindContext(p.Context);
      if (found >= 0 && plan.pages[static_cast<std::size_t>(found)].page == i) {
        plan.contents.push_back(
            {level, p.Title, plan.pages[static_cast<std::size_t>(found)].file, false});
      }
    } else if (p.Attribute == kContentPage) {
      plan.contents.push_back({level, p.Title, ContentTarget(plan, FirstLine(p.Topic)), false});
      if (plan.contents.back().file.empty()) {
        plan.notes.push_back(Sjis("ページ ") + std::to_string(i) + " (" + p.Title + ")" +
                             Sjis(": 目次項目の行き先 \"") + FirstLine(p.Topic) +
                             Sjis("\" は Web では開けないため、リンクにしませんでした。"));
      }
    } else if (p.Attribute == kIncludePage) {
      plan.notes.push_back(Sjis("ページ ") + std::to_string(i) + " (" + p.Title + ")" +
                           Sjis(": 他の目次ファイルの取り込みは書き出しません。"));
    }
  }
  plan.k_keywords = CollectKeywords(project, plan, &PageRecord::Keyword);
  plan.a_keywords = CollectKeywords(project, plan, &PageRecord::AKeyword);
  return plan;
}

}  // namespace qy::help_export
