#include "export/page_render.h"

#include <algorithm>
#include <cstdio>

#include "build/rtf_head.h"
#include "core/codec.h"
#include "core/cp932.h"
#include "preview/preview_document.h"
#include "topic/html_render.h"
#include "topic/parser.h"

namespace qy::help_export {

namespace {

bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return text;
}

// The last part of a picture name written with a folder.
std::string BaseName(const std::string& sjis) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < sjis.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(sjis[i])) && i + 1 < sjis.size()) {
      ++i;
    } else if (sjis[i] == '\\' || sjis[i] == '/' || sjis[i] == ':') {
      start = i + 1;
    }
  }
  return sjis.substr(start);
}

std::string Extension(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : Lower(name.substr(dot));
}

bool BrowserShows(const std::string& extension) {
  return extension == ".bmp" || extension == ".dib" || extension == ".png" || extension == ".gif" ||
         extension == ".jpg" || extension == ".jpeg";
}

}  // namespace

std::string CutStyle(std::string& html) {
  const std::size_t start = html.find("<style>");
  const std::size_t end = html.find("</style>", start);
  if (start == std::string::npos || end == std::string::npos) return {};
  std::string css = html.substr(start + 7, end - start - 7);
  html.erase(start, end + 8 - start);
  return css;
}

std::string TopicStyleRules() {
  std::string html = topic::RenderHtml(topic::Document{}, topic::Topic{});
  return CutStyle(html);
}

std::string UrlEncode(const std::string& utf8) {
  std::string out;
  for (unsigned char c : utf8) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
        c == '_' || c == '-' || c == '/' || c == '~') {
      out += static_cast<char>(c);
    } else {
      char buffer[4];
      std::snprintf(buffer, sizeof buffer, "%%%02X", c);
      out += buffer;
    }
  }
  return out;
}

std::string EscapeHtml(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  topic::AppendHtmlEscaped(out, utf8);
  return out;
}

MacroCall ParseMacroCall(const std::string& macro) {
  MacroCall call;
  std::size_t i = 0;
  while (i < macro.size() && macro[i] == ' ') ++i;
  const std::size_t name_start = i;
  while (i < macro.size() && macro[i] != '(' && macro[i] != ' ' && macro[i] != ';' &&
         macro[i] != ':') {
    ++i;
  }
  call.name = macro.substr(name_start, i - name_start);
  while (i < macro.size() && macro[i] == ' ') ++i;
  if (i >= macro.size() || macro[i] != '(') {
    call.rest = macro.substr(i);
    return call;
  }
  ++i;
  std::string argument;
  char close_quote = 0;
  bool quoted = false;
  for (; i < macro.size(); ++i) {
    const char c = macro[i];
    if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < macro.size()) {
      argument += c;
      argument += macro[++i];
      continue;
    }
    if (close_quote != 0) {
      if (c == close_quote) {
        close_quote = 0;
      } else {
        argument += c;
      }
    } else if (c == '`' || c == '"') {
      close_quote = c == '`' ? '\'' : '"';
      quoted = true;
    } else if (c == ',' || c == ')') {
      std::string_view text = argument;
      while (!quoted && !text.empty() && text.back() == ' ') text.remove_suffix(1);
      while (!quoted && !text.empty() && text.front() == ' ') text.remove_prefix(1);
      call.arguments.emplace_back(text);
      argument.clear();
      quoted = false;
      if (c == ')') {
        ++i;
        break;
      }
    } else if (!(quoted && c == ' ')) {
      argument += c;
    }
  }
  std::size_t rest = i;
  while (rest < macro.size() && (macro[rest] == ' ' || macro[rest] == ';' || macro[rest] == ':')) {
    ++rest;
  }
  call.rest = macro.substr(rest);
  return call;
}

PageRenderer::PageRenderer(const ProjectModel& project, const SitePlan& plan, Flavor flavor)
    : project_(project), plan_(plan), flavor_(flavor) {}

void PageRenderer::Note(const std::string& sjis_text) {
  const PageRecord& page = project_.Page(plan_.pages[static_cast<std::size_t>(current_)].page);
  const std::string note = Sjis("ページ ") +
                           std::to_string(plan_.pages[static_cast<std::size_t>(current_)].page) +
                           " (" + page.Context + "): " + sjis_text;
  if (std::find(notes_.begin(), notes_.end(), note) == notes_.end()) notes_.push_back(note);
}

const PageRenderer::Parsed& PageRenderer::Parse(int index) {
  auto it = parsed_.find(index);
  if (it != parsed_.end()) return it->second;
  const ProjectHeader& header = project_.Header();
  topic::ParseOptions options;
  options.default_font = EffectiveFontIndex(header.FontNameIndex);
  options.default_size = FontSizeHalfPoints(header.FontSizeIndex);
  const int page = plan_.pages[static_cast<std::size_t>(index)].page;
  Parsed parsed{topic::ParseDocument(BuildPreviewDocument(project_, page), options),
                options.default_size};
  return parsed_.emplace(index, std::move(parsed)).first->second;
}

std::string PageRenderer::KeywordLinkFile(const std::string& keys, bool a_keywords) {
  for (const KeywordLinkPage& link : keyword_links_) {
    if (link.keys == keys && link.a_keywords == a_keywords) return link.file;
  }
  KeywordLinkPage link;
  link.file =
      (a_keywords ? "alink-" : "klink-") + std::to_string(keyword_links_.size() + 1) + ".html";
  link.keys = keys;
  link.a_keywords = a_keywords;
  keyword_links_.push_back(link);
  return link.file;
}

std::string PageRenderer::MacroHref(const std::string& macro) {
  const MacroCall call = ParseMacroCall(macro);
  const std::string name = Lower(call.name);
  std::string href;
  if ((name == "klink" || name == "kl" || name == "alink" || name == "al") &&
      !call.arguments.empty()) {
    href = KeywordLinkFile(call.arguments[0], name[0] == 'a');
  } else if ((name == "execfile" || name == "ef") && !call.arguments.empty()) {
    href = UrlEncode(Cp932ToUtf8(call.arguments[0]));
  } else {
    Note(Sjis("マクロ \"") + macro + Sjis("\" は Web では働かないため、リンクにしませんでした。"));
    return {};
  }
  if (!call.rest.empty()) {
    Note(Sjis("マクロ \"") + macro + Sjis("\" は最初のマクロだけをリンクにしました。"));
  }
  return href;
}

std::string PageRenderer::Href(const topic::Hotspot& h) {
  std::string context = h.target.context;
  bool popup = h.kind == topic::HotspotKind::kPopup;
  if (h.kind == topic::HotspotKind::kMacro) {
    if (h.macro_context.empty())
      return MacroHref(h.target.macro.empty() ? h.raw_target : h.target.macro);
    context = h.macro_context;
    popup = h.macro_popup;
  } else if (!h.target.file.empty()) {
    Note(Sjis("\"") + h.raw_target +
         Sjis("\" は他のヘルプファイルへのリンクのため、リンクにしませんでした。"));
    return {};
  }
  const int target = plan_.FindContext(context);
  if (target < 0) {
    Note(Sjis("リンク先のコンテキスト \"") + context + Sjis("\" のページがありません。"));
    return {};
  }
  const std::string& file = plan_.pages[static_cast<std::size_t>(target)].file;
  if (!popup) return file;
  if (std::find(popups_.begin(), popups_.end(), target) == popups_.end()) {
    popups_.push_back(target);
  }
  return file + kPopupSuffix;
}

std::string PageRenderer::PictureSource(const topic::Picture& picture) {
  auto it = pictures_.find(picture.file + (picture.transparent ? "\t" : ""));
  if (it != pictures_.end()) return "images/" + it->second.output;
  const std::string base = BaseName(picture.file);
  const std::string extension = Extension(base);
  if (!BrowserShows(extension)) {
    Note(Sjis("画像 \"") + picture.file +
         Sjis("\" はブラウザで表示できない形式のため、そのままの名前で参照しました。"));
  }
  PictureUse use;
  use.source = picture.file;
  const bool bitmap = extension == ".bmp" || extension == ".dib";
  use.transparent = picture.transparent && bitmap;
  std::string stem = base.substr(0, base.size() - extension.size());
  if (!IsAscii(stem) || stem.empty()) stem = "image" + std::to_string(pictures_.size() + 1);
  use.output = stem + (use.transparent ? "-t.png" : extension);
  pictures_.emplace(picture.file + (picture.transparent ? "\t" : ""), use);
  return "images/" + UrlEncode(use.output);
}

const PageRenderer::RenderedTopic& PageRenderer::TopicHtml(int index) {
  auto cached = topic_html_.find(index);
  if (cached != topic_html_.end()) return cached->second;
  const Parsed& parsed = Parse(index);
  topic::RenderOptions options;
  options.default_size = parsed.default_size;
  options.href = [this](const topic::Hotspot& h) { return Href(h); };
  options.picture_source = [this](const topic::Picture& p) { return PictureSource(p); };
  const int saved = current_;
  current_ = index;
  popups_.clear();
  RenderedTopic rendered;
  rendered.html = topic::RenderHtml(parsed.doc, parsed.doc.topics.front(), options);
  // The rules every topic repeats live once in the style sheet.
  CutStyle(rendered.html);
  rendered.popups = std::move(popups_);
  popups_.clear();
  current_ = saved;
  return topic_html_.emplace(index, std::move(rendered)).first->second;
}

std::string PageRenderer::PageText(int index) {
  return topic::RenderText(Parse(index).doc.topics.front());
}

std::string PageRenderer::PageDocument(int index) {
  const SitePage& page = plan_.pages[static_cast<std::size_t>(index)];
  const PageRecord& record = project_.Page(page.page);
  const RenderedTopic& topic = TopicHtml(index);
  // The popups' own texts, rendered once each; a popup that opens further
  // popups opens them as pages.
  std::string popup_texts;
  for (int popup : topic.popups) {
    popup_texts += "<div class=\"qy-popup-text\" id=\"qy-pop-" +
                   plan_.pages[static_cast<std::size_t>(popup)].file + "\">" +
                   TopicHtml(popup).html + "</div>\n";
  }

  // The anchor a popup link names, so checkers of the links find it.
  std::string body = "<a id=\"qy-popup\" name=\"qy-popup\"></a><div class=\"qy-bar\">";
  if (page.previous >= 0) {
    body += "<a rel=\"prev\" href=\"" + plan_.pages[static_cast<std::size_t>(page.previous)].file +
            "\">&lt;&lt; 前へ</a>";
  }
  if (page.next >= 0) {
    body += "<a rel=\"next\" href=\"" + plan_.pages[static_cast<std::size_t>(page.next)].file +
            "\">次へ &gt;&gt;</a>";
  }
  if (flavor_ == Flavor::kChm) body += "<a href=\"search.html\">日本語検索</a>";
  body += "</div>\n" + topic.html + popup_texts;
  return FramePage(Cp932ToUtf8(record.Title), body, flavor_, "qyInit('" + page.file + "')");
}

}  // namespace qy::help_export
