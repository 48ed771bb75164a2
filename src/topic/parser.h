// Reads topic markup into the document model: a whole topic file or preview
// document (with its font and colour tables), or one page's topic text.
#pragma once

#include <string_view>

#include "topic/document.h"

namespace qy::topic {

// Takes each topic as soon as it has been read, so that a reader of a large
// file need not hold every topic at once.
class TopicSink {
 public:
  virtual ~TopicSink() = default;
  // `tables` is the document as read so far: its fonts, colours and default
  // font (the standard tables while the text has given none). The topic may
  // be moved from.
  virtual void Take(const Document& tables, Topic& topic) = 0;
};

struct ParseOptions {
  // The character format that \plain restores and page text starts with.
  int default_font = 0;
  int default_size = 22;  // half-points
  // When set, every topic goes to the sink instead of into the document,
  // whose topic list then stays empty.
  TopicSink* sink = nullptr;
};

// Never fails: whatever the reader cannot place becomes a Note. A text
// without "\fonttbl" or "\colortbl" gets the standard tables, so the font
// numbers and "\cf" colours of page text still resolve. There is always at
// least one topic.
Document ParseDocument(std::string_view text, const ParseOptions& options = {});

}  // namespace qy::topic
