// A topic of the document model laid out in a QTextDocument, as the help
// viewer would show it: runs in their fonts, sizes and colours, paragraphs
// with alignment, indents, spacing, tabs, borders and shading, the
// non-scrolling region on a grey band at the top, hotspots green (jumps
// underlined, popups dotted) and pictures from the picture folder.
#pragma once

#include <QString>
#include <QTextDocument>
#include <string>

#include "topic/document.h"

namespace qy::app {

// Hotspot anchors: "jump:CONTEXT", "popup:CONTEXT" or "macro:TEXT".
inline constexpr char kJumpScheme[] = "jump";
inline constexpr char kPopupScheme[] = "popup";
inline constexpr char kMacroScheme[] = "macro";

struct TopicLayoutOptions {
  // Where pictures are read from (native path, may be empty).
  std::string picture_folder;
};

// Replaces the contents of `document` with `topic`.
void LayOutTopic(QTextDocument& document, const topic::Document& model, const topic::Topic& topic,
                 const TopicLayoutOptions& options);

// The anchor a hotspot is clicked through; empty for a macro that leads to
// no page.
QString HotspotAnchor(const topic::Hotspot& hotspot);

}  // namespace qy::app
