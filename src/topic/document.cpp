#include "topic/document.h"

namespace qy::topic {

std::string Topic::FootnoteText(char mark) const {
  for (const Footnote& note : footnotes) {
    if (note.mark == mark) return note.text;
  }
  return {};
}

std::size_t Topic::NonScrollingCount() const {
  std::size_t count = 0;
  while (count < paragraphs.size() && paragraphs[count].format.keep_with_next) ++count;
  return count;
}

const FontEntry* Document::Font(int number) const {
  for (const FontEntry& font : fonts) {
    if (font.number == number) return &font;
  }
  return nullptr;
}

Color Document::ColorAt(int index) const {
  if (index <= 0 || index >= static_cast<int>(colors.size())) return Color{0, 0, 0, true};
  return colors[static_cast<std::size_t>(index)];
}

}  // namespace qy::topic
