#include "topic/line_scan.h"

#include <algorithm>

#include "topic/tokenizer.h"

namespace qy::topic {

namespace {

constexpr int kBits = 7;
constexpr int kMask = (1 << kBits) - 1;

bool IsHotspotWord(std::string_view word) {
  return word == "uldb" || word == "ul" || word == "strike" || word == "uld" || word == "ulw";
}

Span TextSpan(const LineState& state) {
  if (state.in_command) return Span::kPicture;
  if (state.hidden_depth > 0) return Span::kHiddenTarget;
  if (state.footnote_depth > 0) return Span::kFootnote;
  if (state.hotspot_depth > 0) return Span::kHotspotText;
  return Span::kText;
}

// Footnote marks as they stand just before "{\footnote".
bool IsFootnoteMark(char c) {
  return c == '#' || c == '$' || c == 'K' || c == 'A' || c == 'B' || c == '+' || c == '!' ||
         c == '>' || c == '@' || c == '*';
}

}  // namespace

int LineState::Pack() const {
  return (std::clamp(depth, 0, kMask)) | (std::clamp(hotspot_depth, 0, kMask) << kBits) |
         (std::clamp(hidden_depth, 0, kMask) << (2 * kBits)) |
         (std::clamp(footnote_depth, 0, kMask) << (3 * kBits)) |
         ((in_command ? 1 : 0) << (4 * kBits));
}

LineState LineState::Unpack(int packed) {
  LineState state;
  if (packed < 0) return state;
  state.depth = packed & kMask;
  state.hotspot_depth = (packed >> kBits) & kMask;
  state.hidden_depth = (packed >> (2 * kBits)) & kMask;
  state.footnote_depth = (packed >> (3 * kBits)) & kMask;
  state.in_command = ((packed >> (4 * kBits)) & 1) != 0;
  return state;
}

LineState ScanLine(std::string_view line, LineState state, SpanSink& sink) {
  Tokenizer tokens(line);
  // Depth beyond kMaxDepth is tracked here only, so that a line's own
  // braces still match each other.
  int excess = 0;
  for (Token t = tokens.Next(); t.kind != TokenKind::kEnd; t = tokens.Next()) {
    switch (t.kind) {
      case TokenKind::kText: {
        const Span span = TextSpan(state);
        std::size_t length = t.length;
        // "#{\footnote": the mark belongs to the footnote.
        const std::size_t after = t.offset + t.length;
        if (span == Span::kText && length > 0 && IsFootnoteMark(line[after - 1]) &&
            line.substr(after).starts_with("{\\footnote")) {
          --length;
          sink.OnSpan(after - 1, 1, Span::kFootnote);
        }
        if (length > 0) sink.OnSpan(t.offset, length, span);
        break;
      }
      case TokenKind::kGroupOpen:
        if (state.depth >= LineState::kMaxDepth) {
          ++excess;
        } else {
          ++state.depth;
        }
        sink.OnSpan(t.offset, t.length, Span::kGroup);
        break;
      case TokenKind::kGroupClose:
        if (excess > 0) {
          --excess;
        } else if (state.depth == 0) {
          sink.OnSpan(t.offset, t.length, Span::kUnmatched);
          break;
        } else {
          --state.depth;
        }
        if (state.hotspot_depth > state.depth) state.hotspot_depth = 0;
        if (state.hidden_depth > state.depth) state.hidden_depth = 0;
        if (state.footnote_depth > state.depth) state.footnote_depth = 0;
        sink.OnSpan(t.offset, t.length, Span::kGroup);
        break;
      case TokenKind::kHexEscape:
        sink.OnSpan(t.offset, t.length, Span::kEscape);
        break;
      case TokenKind::kControlSymbol:
        if (t.byte == '{' && !t.malformed) {
          state.in_command = true;
          sink.OnSpan(t.offset, t.length, Span::kPicture);
        } else if (t.byte == '}' && state.in_command) {
          state.in_command = false;
          sink.OnSpan(t.offset, t.length, Span::kPicture);
        } else {
          const bool escape = t.byte == '\\' || t.byte == '}';
          sink.OnSpan(t.offset, t.length, escape ? Span::kEscape : Span::kControlWord);
        }
        break;
      case TokenKind::kControlWord: {
        const std::string_view word = t.word;
        const bool on = !t.has_param || t.param != 0;
        const int depth = std::max(state.depth, 1);
        if (IsHotspotWord(word)) {
          state.hotspot_depth = on ? depth : 0;
        } else if (word == "ulnone" || word == "plain") {
          state.hotspot_depth = 0;
          if (word == "plain") state.hidden_depth = 0;
        } else if (word == "v") {
          state.hidden_depth = on ? depth : 0;
        } else if (word == "footnote") {
          state.footnote_depth = depth;
        }
        sink.OnSpan(t.offset, t.length, Span::kControlWord);
        break;
      }
      case TokenKind::kLineEnd:
      case TokenKind::kEnd:
        break;
    }
  }
  return state;
}

}  // namespace qy::topic
