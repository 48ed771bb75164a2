#include "export/site_style.h"

#include <charconv>
#include <cstdio>

#include "build/project_options.h"
#include "build/rtf_head.h"
#include "build/window_style.h"
#include "core/codec.h"
#include "core/cp932.h"
#include "export/page_render.h"
#include "preview/preview_document.h"
#include "topic/parser.h"

namespace qy::help_export {

namespace {

std::string ColourRefToCss(long value) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", static_cast<unsigned>(value & 0xff),
                static_cast<unsigned>((value >> 8) & 0xff),
                static_cast<unsigned>((value >> 16) & 0xff));
  return buffer;
}

// The font of index `index` in the table every generated document declares.
std::string FontFamily(const ProjectModel& project) {
  const topic::Document doc =
      topic::ParseDocument(PreviewDocumentHead(project.Header().FontNameIndex) + "}");
  const topic::FontEntry* font = doc.Font(EffectiveFontIndex(project.Header().FontNameIndex));
  if (font == nullptr) return "sans-serif";
  std::string name;
  for (char c : Cp932ToUtf8(font->name)) {
    if (c != '\'' && c != '"' && c != '<' && c != '>' && c != '\\' && c != '}') name += c;
  }
  return "'" + name + "',sans-serif";
}

}  // namespace

WindowColours WindowColoursOf(std::string_view windows_section, std::string_view name) {
  WindowColours colours;
  for (const std::string& line : SplitTextLines(windows_section)) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || !EqualsIgnoreAsciiCase(line.substr(0, equals), name)) {
      continue;
    }
    std::string* slots[] = {&colours.topic, &colours.non_scrolling};
    std::size_t slot = 0;
    std::size_t at = equals;
    while (slot < 2 && (at = line.find("(r", at)) != std::string::npos) {
      at += 2;
      long value = 0;
      const char* first = line.data() + at;
      const char* last = line.data() + line.size();
      auto [end, error] = std::from_chars(first, last, value);
      if (error == std::errc() && end < last && *end == ')' && value >= 0 && value <= 0xffffff) {
        *slots[slot] = ColourRefToCss(value);
      }
      ++slot;
    }
    break;
  }
  return colours;
}

std::string SiteStyleSheet(const ProjectModel& project) {
  const ProjectHeader& h = project.Header();
  const WindowColours colours =
      WindowColoursOf(h.WindowsSection, DefaultWindowName(h.ProjectOptions));
  char size[32];
  std::snprintf(size, sizeof size, "%gpt", FontSizeHalfPoints(h.FontSizeIndex) / 2.0);
  std::string css = TopicStyleRules() + "\n";
  css += "body{margin:0;font-family:" + FontFamily(project) + ";font-size:" + size +
         ";background:" + colours.topic + "}\n";
  css +=
      "#qy-nav{position:fixed;top:0;left:0;bottom:0;width:16em;overflow:auto;"
      "background:#f0f0f0;border-right:1px solid #a0a0a0;font-size:10pt;padding:4px}\n"
      "#qy-main{margin-left:17em;padding:0 8px 8px 8px}\n"
      "#qy-main.qy-chm{margin-left:0}\n"
      ".qy-bar{font-size:10pt;padding:2px 0}\n"
      ".qy-bar a{margin-right:1em}\n"
      ".qy-topic .qy-nsr{position:sticky;top:0;z-index:1;background:" +
      colours.non_scrolling + "}\n";
  css +=
      "#qy-nav ul{list-style:none;margin:0;padding-left:1em}\n"
      "#qy-nav li.qy-closed>ul{display:none}\n"
      "#qy-nav a.qy-book{color:#000;text-decoration:none;cursor:pointer}\n"
      "#qy-nav a.qy-here{font-weight:bold}\n"
      ".qy-popup-box{position:absolute;z-index:2;max-width:30em;background:#ffffe1;"
      "border:1px solid #000;padding:4px 6px;box-shadow:3px 3px 4px #808080}\n"
      ".qy-popup-text{display:none}\n"
      ".qy-hits li{margin:2px 0}\n";
  return css;
}

}  // namespace qy::help_export
