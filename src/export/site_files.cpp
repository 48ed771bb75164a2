#include "export/site_files.h"

#include "core/codec.h"
#include "export/search_index.h"
#include "export/site_script.h"
#include "export/site_style.h"

namespace qy::help_export {

namespace {

std::string Utf8(const std::string& sjis) { return EscapeHtml(Cp932ToUtf8(sjis)); }

std::string PageLinks(const SitePlan& plan, const ProjectModel& project,
                      const std::vector<int>& pages) {
  std::string out = "<ul>";
  for (int index : pages) {
    const SitePage& page = plan.pages[static_cast<std::size_t>(index)];
    out += "<li><a href=\"" + page.file + "\">" + Utf8(project.Page(page.page).Title) + "</a></li>";
  }
  return out + "</ul>";
}

std::string KeywordIndexPage(const SitePlan& plan, const ProjectModel& project, Flavor flavor) {
  std::string body = "<h1>索引</h1>\n<dl class=\"qy-index\">\n";
  for (std::size_t i = 0; i < plan.k_keywords.size(); ++i) {
    const KeywordEntry& entry = plan.k_keywords[i];
    body += "<dt id=\"k" + std::to_string(i + 1) + "\">" + Utf8(entry.keyword) + "</dt><dd>" +
            PageLinks(plan, project, entry.pages) + "</dd>\n";
  }
  if (plan.k_keywords.empty()) body += "<dt>キーワードはありません。</dt>\n";
  body += "</dl>\n";
  return FramePage("索引", body, flavor, "qyInit('keywords.html')");
}

std::string KeywordLinkDocument(const SitePlan& plan, const ProjectModel& project,
                                const KeywordLinkPage& link, Flavor flavor) {
  const std::vector<int> pages =
      PagesOfKeywords(link.a_keywords ? plan.a_keywords : plan.k_keywords, link.keys);
  std::string body = "<h1>関連項目</h1>\n<p>" + Utf8(link.keys) + "</p>\n";
  body += pages.empty() ? std::string("<p>該当するトピックはありません。</p>\n")
                        : PageLinks(plan, project, pages) + "\n";
  return FramePage("関連項目", body, flavor, "qyInit('" + link.file + "')");
}

std::string SearchPage(Flavor flavor) {
  const std::string body =
      "<h1>検索</h1>\n"
      "<form onsubmit=\"return qySearch()\"><input id=\"qy-query\" name=\"q\" size=\"30\">"
      " <input type=\"submit\" value=\"検索\"> <span id=\"qy-count\"></span></form>\n"
      "<ol id=\"qy-hits\" class=\"qy-hits\"></ol>\n"
      "<script src=\"search.js\"></script>\n";
  return FramePage("検索", body, flavor, "qyInit('search.html');qySearchInit()");
}

std::string EntryPage(const SitePlan& plan, const ProjectModel& project) {
  const int first = plan.FirstTopic();
  std::string body = "<h1>" + Utf8(project.Header().HelpTitle) + "</h1>\n";
  body += "<p id=\"qy-message\" style=\"display:none\">この番号のページはありません。</p>\n";
  if (first >= 0) {
    body += "<p><a href=\"" + plan.pages[static_cast<std::size_t>(first)].file + "\">" +
            Utf8(project.Page(plan.pages[static_cast<std::size_t>(first)].page).Title) +
            "</a></p>\n";
  }
  return FramePage(Cp932ToUtf8(project.Header().HelpTitle), body, Flavor::kSite,
                   "qyInit('index.html');qyOpenId()");
}

// qyContents for the tree and qyIds for index.html?id=N.
std::string ContentsScript(const SitePlan& plan) {
  std::string out = "var qyContents=[";
  for (std::size_t i = 0; i < plan.contents.size(); ++i) {
    const ContentsEntry& e = plan.contents[i];
    if (i) out += ",\n";
    out += "[" + std::to_string(e.level) + "," + JsString(Cp932ToUtf8(e.title)) + "," +
           JsString(e.file) + "," + (e.book ? "1" : "0") + "]";
  }
  out += "];\nvar qyIds={";
  for (std::size_t i = 0; i < plan.context_ids.size(); ++i) {
    if (i) out += ",";
    out += std::to_string(plan.context_ids[i].first) + ":" +
           JsString(plan.pages[static_cast<std::size_t>(plan.context_ids[i].second)].file);
  }
  return out + "};\n";
}

}  // namespace

SiteFiles BuildSiteFiles(const ProjectModel& project, const SitePlan& plan, Flavor flavor,
                         Progress& progress) {
  SiteFiles result;
  PageRenderer renderer(project, plan, flavor);
  SearchIndex search;
  for (std::size_t i = 0; i < plan.pages.size(); ++i) {
    const int index = static_cast<int>(i);
    const SitePage& page = plan.pages[i];
    result.files.push_back({page.file, renderer.PageDocument(index), true});
    if (!page.popup) {
      search.AddPage(page.file, Cp932ToUtf8(project.Page(page.page).Title),
                     renderer.PageText(index));
    }
    progress.Step();
    progress.Pump();
  }
  for (const KeywordLinkPage& link : renderer.KeywordLinks()) {
    result.files.push_back({link.file, KeywordLinkDocument(plan, project, link, flavor), true});
  }
  result.files.push_back({"keywords.html", KeywordIndexPage(plan, project, flavor), true});
  result.files.push_back({"search.html", SearchPage(flavor), true});
  result.files.push_back({"search.js", search.Script(), false});
  result.files.push_back({"quillory.js", kSiteScript, false});
  result.files.push_back({"quillory.css", SiteStyleSheet(project), true});
  if (flavor == Flavor::kSite) {
    result.files.push_back({"index.html", EntryPage(plan, project), true});
    result.files.push_back({"contents.js", ContentsScript(plan), false});
  }
  result.pictures = renderer.Pictures();
  result.notes = plan.notes;
  result.notes.insert(result.notes.end(), renderer.Notes().begin(), renderer.Notes().end());
  return result;
}

}  // namespace qy::help_export
