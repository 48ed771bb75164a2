#include "markup/intelligent_select.h"

#include <algorithm>
#include <string>

#include "core/cp932.h"

namespace qy {

namespace {

constexpr std::size_t kNpos = std::string_view::npos;

bool StartsAt(std::string_view text, std::size_t pos, std::string_view prefix) {
  return pos <= text.size() && text.substr(pos).starts_with(prefix);
}

// Last "{" that begins before `pos`.
std::size_t OpenBefore(std::string_view text, std::size_t pos) {
  if (pos == 0) return kNpos;
  return FindBytesBackward(text, "{", pos - 1);
}

}  // namespace

std::optional<TextSelection> IntelligentSelection(std::string_view text, TextSelection current) {
  const std::size_t start = static_cast<std::size_t>(std::max(current.start, 0));
  const std::size_t end = start + static_cast<std::size_t>(std::max(current.length, 0));
  if (end > text.size()) return std::nullopt;
  std::size_t open = OpenBefore(text, start);
  const std::size_t close = FindBytes(text, "}", end);
  if (open == kNpos || close == kNpos) return std::nullopt;

  std::size_t last = close;  // the selection ends behind this "}"
  // Widens to the next "}" behind the selection; false when there is none.
  auto widen = [&]() {
    std::size_t next = FindBytes(text, "}", last + 1);
    if (next == kNpos) return false;
    last = next;
    return true;
  };
  auto hidden_follows = [&]() { return StartsAt(text, last + 1, "{\\v"); };

  if (StartsAt(text, open, "{\\ul")) {
    const std::string_view selected = text.substr(open, last - open + 1);
    if (FindBytes(selected, "{\\v") == kNpos && widen() && hidden_follows()) widen();
  } else if (StartsAt(text, open, "{\\v")) {
    const std::size_t outer = OpenBefore(text, open);
    if (outer != kNpos) open = outer;
    if (hidden_follows()) widen();
  } else if (hidden_follows()) {
    widen();
  }
  return TextSelection{static_cast<int>(open), static_cast<int>(last - open + 1)};
}

void IntelligentSelect(Editor& editor) {
  const std::string text = editor.Text();
  std::optional<TextSelection> s =
      IntelligentSelection(text, {editor.SelStart(), static_cast<int>(editor.SelText().size())});
  if (!s) return;
  editor.SetSelStart(s->start);
  editor.SetSelLength(s->length);
}

TextSelection WidenSelection(std::string_view text, TextSelection current) {
  TextSelection s = current;
  const int size = static_cast<int>(text.size());
  if (s.start < 0 || s.length < 0 || s.start + s.length > size) return current;
  const std::string_view selected =
      text.substr(static_cast<std::size_t>(s.start), static_cast<std::size_t>(s.length));
  if (selected == "HLP") {
    s.length = std::min(9, size - s.start);
  } else if (s.length == 6 && selected.starts_with("000") && s.start >= 3) {
    s.start -= 3;
    s.length = 9;
  }
  const std::size_t behind = static_cast<std::size_t>(s.start + s.length);
  if (behind + 4 <= text.size()) {
    const std::string extension = AsciiUpper(text.substr(behind, 4));
    if (extension == ".SHG" || extension == ".BMP" || extension == ".WMF") s.length += 4;
  }
  return s;
}

void MouseSelectionWidener::OnSelectionChanged(Editor& editor, bool external_editing) {
  if (!armed_ || external_editing) return;
  const TextSelection current{editor.SelStart(), editor.SelLength()};
  const std::string text = editor.Text();
  const TextSelection widened = WidenSelection(text, current);
  if (widened != current) {
    armed_ = false;
    editor.SetSelStart(widened.start);
    editor.SetSelLength(widened.length);
    return;
  }
  if (editor.SelText() != "HLP" && current.length != 6) armed_ = false;
}

}  // namespace qy
