// A topic as a self-contained UTF-8 HTML fragment or as plain text: the
// first output of the model besides the preview window, and the way the
// reader is checked end to end.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "topic/document.h"

namespace qy::topic {

struct RenderOptions {
  // Prefix of picture sources ("" or a folder ending in '/'), in UTF-8.
  std::string picture_folder;
  // The size text without a "\fs" of its own starts at (half-points).
  int default_size = 22;
  // When set, the link target of each hotspot (empty: a link without href)
  // instead of HotspotHref; an exported site points popups, keyword macros
  // and program links at its own pages this way.
  std::function<std::string(const Hotspot&)> href;
  // When set, the whole source of each picture (UTF-8) instead of
  // picture_folder + file; a converted picture gets another name.
  std::function<std::string(const Picture&)> picture_source;
};

// A <div class="qy-topic"> with its own <style>: paragraphs keep alignment,
// indents, spacing, borders and shading; the non-scrolling region stands in
// a <div class="qy-nsr">; jumps and popups become links to "CONTEXT.html"
// (green, jumps underlined, popups dotted, as the help viewer shows them);
// pictures become <img>.
std::string RenderHtml(const Document& doc, const Topic& topic, const RenderOptions& options = {});

// The visible text: one line per paragraph, "\line" as a line break, "\tab"
// as a tab, a picture as "[file]". UTF-8, LF line ends.
std::string RenderText(const Topic& topic);

// Appends `utf8` with &, <, > and " as entities, for text and attribute values.
void AppendHtmlEscaped(std::string& out, std::string_view utf8);

// The link target of a hotspot ("CONTEXT.html"), or empty for a macro that
// leads nowhere the model knows. Contexts are percent-encoded outside
// letters, digits and "._-".
std::string HotspotHref(const Hotspot& hotspot);

}  // namespace qy::topic
