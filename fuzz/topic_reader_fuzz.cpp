// Feeds arbitrary bytes to the topic reader: the tokenizer, the line scanner
// the editor highlights with, and the parser. Any input must end in a model
// whose cross references hold, never in a crash or a hang.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/cp932.h"
#include "topic/html_render.h"
#include "topic/line_scan.h"
#include "topic/parser.h"
#include "topic/tokenizer.h"

namespace {

class NullSink : public qy::topic::SpanSink {
 public:
  void OnSpan(std::size_t offset, std::size_t length, qy::topic::Span) override {
    if (offset + length > limit) __builtin_trap();
  }
  std::size_t limit = 0;
};

void CheckTokens(std::string_view text) {
  // Tokens cover the text without gaps, and none ends inside a double-byte
  // character.
  qy::topic::Tokenizer tokens(text);
  std::size_t expected = 0;
  std::size_t boundary = 0;  // next character start
  for (auto t = tokens.Next(); t.kind != qy::topic::TokenKind::kEnd; t = tokens.Next()) {
    if (t.offset != expected || t.length == 0) __builtin_trap();
    expected = t.offset + t.length;
    while (boundary < expected) boundary += qy::CharLengthAt(text, boundary);
    if (boundary != expected && t.kind != qy::topic::TokenKind::kHexEscape) __builtin_trap();
  }
  if (expected != text.size()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckTokens(text);

  NullSink sink;
  qy::topic::LineState state;
  for (const std::string& line : qy::SplitLines(text)) {
    sink.limit = line.size();
    state = qy::topic::LineState::Unpack(qy::topic::ScanLine(line, state, sink).Pack());
  }

  const qy::topic::Document doc = qy::topic::ParseDocument(text);
  if (doc.topics.empty()) __builtin_trap();
  for (const auto& topic : doc.topics) {
    for (const auto& paragraph : topic.paragraphs) {
      for (const auto& item : paragraph.inlines) {
        if (item.hotspot >= static_cast<int>(topic.hotspots.size())) __builtin_trap();
        if (item.picture >= static_cast<int>(topic.pictures.size())) __builtin_trap();
        if (item.format.size < 2 || item.format.size > 1000) __builtin_trap();
      }
    }
  }
  for (const auto& topic : doc.topics) {
    if (qy::topic::RenderHtml(doc, topic).empty()) __builtin_trap();
    qy::topic::RenderText(topic);
  }
  for (const auto& note : doc.notes) {
    if (note.offset > size) __builtin_trap();
  }
  return 0;
}
