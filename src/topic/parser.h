// Reads topic markup into the document model: a whole topic file or preview
// document (with its font and colour tables), or one page's topic text.
#pragma once

#include <string_view>

#include "topic/document.h"

namespace qy::topic {

struct ParseOptions {
  // The character format that \plain restores and page text starts with.
  int default_font = 0;
  int default_size = 22;  // half-points
};

// Never fails: whatever the reader cannot place becomes a Note. A text
// without "\fonttbl" or "\colortbl" gets the standard tables, so the font
// numbers and "\cf" colours of page text still resolve. There is always at
// least one topic.
Document ParseDocument(std::string_view text, const ParseOptions& options = {});

}  // namespace qy::topic
