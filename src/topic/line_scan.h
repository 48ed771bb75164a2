// Classifying topic markup line by line, for highlighting in the editor.
//
// An editor re-scans only the lines that changed, so each line starts from
// the small state the line before it ended with (group depth and where the
// hotspot, hidden-target and footnote groups began) and hands its own end
// state on. The state packs into a non-negative int, as a text block keeps
// it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qy::topic {

enum class Span : std::uint8_t {
  kText,
  kControlWord,   // \word and control symbols
  kEscape,        // \'xx, \\ \{ \} as characters
  kGroup,         // { and } that match
  kUnmatched,     // } that closes nothing
  kHotspotText,   // text formatted as a jump or popup
  kHiddenTarget,  // hidden text: a hotspot's target
  kPicture,       // \{bmc file\} and other \{...\} commands
  kFootnote,      // a footnote group and the mark before it
};

struct LineState {
  // Depths are counted up to kMaxDepth; deeper braces still count for
  // matching but only up to the limit.
  static constexpr int kMaxDepth = 127;

  int depth = 0;
  int hotspot_depth = 0;  // depth of the group that set hotspot style; 0 none
  int hidden_depth = 0;   // likewise for \v
  int footnote_depth = 0;
  bool in_command = false;  // between \{ and \}

  // Non-negative, fits 29 bits.
  int Pack() const;
  static LineState Unpack(int packed);
  bool operator==(const LineState&) const = default;
};

class SpanSink {
 public:
  virtual ~SpanSink() = default;
  virtual void OnSpan(std::size_t offset, std::size_t length, Span span) = 0;
};

// Classifies one line (without its line end) starting from `state`; returns
// the state at the line's end. Offsets are bytes into `line`.
LineState ScanLine(std::string_view line, LineState state, SpanSink& sink);

}  // namespace qy::topic
