// One exported page: the topic through the markup reader, with every link
// pointed at the export's own files, the popups it opens carried inline, and
// whatever has no place on the web reported.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "export/page_frame.h"
#include "export/site_plan.h"
#include "project/project_model.h"
#include "topic/document.h"

namespace qy::help_export {

// A picture a page shows: where it comes from and what the export writes.
struct PictureUse {
  std::string source;  // Shift-JIS file name as the markup wrote it
  bool transparent = false;
  std::string output;  // ASCII name inside "images/"
};

// A page listing the topics a KLink or ALink macro finds.
struct KeywordLinkPage {
  std::string file;
  std::string keys;  // Shift-JIS, as the macro wrote them
  bool a_keywords = false;
};

// Link target of a popup: the page with "#qy-popup", which the site script
// turns into the box over the page (without script, the page opens).
inline constexpr char kPopupSuffix[] = "#qy-popup";

class PageRenderer {
 public:
  PageRenderer(const ProjectModel& project, const SitePlan& plan, Flavor flavor);

  // The whole HTML document of plan page `index`, UTF-8.
  std::string PageDocument(int index);
  // Plain text of the page (UTF-8), for the search index.
  std::string PageText(int index);

  // What the pages rendered so far referred to.
  const std::map<std::string, PictureUse>& Pictures() const { return pictures_; }
  const std::vector<KeywordLinkPage>& KeywordLinks() const { return keyword_links_; }
  // Shift-JIS notes, each once.
  const std::vector<std::string>& Notes() const { return notes_; }

 private:
  struct Parsed {
    topic::Document doc;
    int default_size = 22;
  };
  const Parsed& Parse(int index);
  struct RenderedTopic {
    std::string html;
    std::vector<int> popups;  // the popups its links open
  };
  const RenderedTopic& TopicHtml(int index);
  std::string Href(const topic::Hotspot& hotspot);
  std::string MacroHref(const std::string& macro);
  std::string PictureSource(const topic::Picture& picture);
  std::string KeywordLinkFile(const std::string& keys, bool a_keywords);
  void Note(const std::string& sjis_text);

  const ProjectModel& project_;
  const SitePlan& plan_;
  Flavor flavor_;
  std::map<int, Parsed> parsed_;
  std::map<int, RenderedTopic> topic_html_;
  int current_ = -1;         // the page whose links are being made
  std::vector<int> popups_;  // popups the current page opens
  std::map<std::string, PictureUse> pictures_;
  std::vector<KeywordLinkPage> keyword_links_;
  std::vector<std::string> notes_;
};

// The first macro of a macro string taken apart: name and the arguments with
// their quotes (`...' or "...") removed. `rest` holds anything after the
// first macro's closing parenthesis.
struct MacroCall {
  std::string name;
  std::vector<std::string> arguments;
  std::string rest;
};
MacroCall ParseMacroCall(const std::string& macro);

// Takes the first <style> element out of `html` and returns its rules.
std::string CutStyle(std::string& html);
// The rules the topic renderer gives every topic, for the style sheet.
std::string TopicStyleRules();

// Percent-encodes a UTF-8 path for an href or src (letters, digits and
// "._-/~" stay).
std::string UrlEncode(const std::string& utf8);

// Text escaped for HTML content and attribute values.
std::string EscapeHtml(const std::string& utf8);

}  // namespace qy::help_export
