#include "markup/format_markup.h"

#include <cstdio>

#include "build/rtf_text.h"
#include "core/codec.h"

namespace qy {
namespace {

constexpr std::string_view kParagraphEnd = "\\par\\pard";

bool IsAsciiAlnum(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// A control word counts as present only where it stands as a whole word: in
// "{\box" or "{\b0" there is no "\b", in "{\f30" no "\f3".
bool HeadCarries(std::string_view head, std::string_view word) {
  if (word.empty()) return true;
  for (std::size_t at = head.find(word); at != std::string_view::npos;
       at = head.find(word, at + 1)) {
    const std::size_t end = at + word.size();
    if (end == head.size() || !IsAsciiAlnum(head[end])) return true;
  }
  return false;
}

bool StartsWithGroup(std::string_view text) { return text.substr(0, 2) == "{\\"; }

}  // namespace

std::string_view ParagraphEndFor(std::string_view selected) {
  return selected.ends_with(kParagraphEnd) ? std::string_view() : kParagraphEnd;
}

std::optional<std::string> MergeControlWords(const std::vector<std::string>& words,
                                             std::string_view selected) {
  const bool group = StartsWithGroup(selected);
  const std::size_t blank = group ? selected.find(' ') : std::string_view::npos;
  const std::string_view head = selected.substr(0, blank);

  std::string added;
  for (const std::string& word : words) {
    if (group && HeadCarries(head, word)) continue;
    added += word;
  }
  if (added.empty()) return std::nullopt;

  if (blank != std::string_view::npos) {
    std::string out(selected);
    out.insert(blank, added);
    return out;
  }
  std::string out;
  out.reserve(selected.size() + added.size() + 3);
  out += '{';
  out += added;
  out += ' ';
  out += selected;
  out += '}';
  return out;
}

std::string AlignmentText(Alignment alignment, std::string_view selected) {
  std::string out = alignment == Alignment::kLeft     ? "\\ql "
                    : alignment == Alignment::kCenter ? "\\qc "
                                                      : "\\qr ";
  if (selected.empty()) return out;
  out += selected;
  out += ParagraphEndFor(selected);
  return out;
}

namespace {
std::string ParagraphWith(std::string_view word, int twips, std::string_view selected) {
  std::string out(word);
  out += std::to_string(twips);
  out += ' ';
  out += selected;
  out += ParagraphEndFor(selected);
  return out;
}
}  // namespace

std::string IndentText(IndentSide side, int twips, std::string_view selected) {
  return ParagraphWith(side == IndentSide::kLeft ? "\\li" : "\\ri", twips, selected);
}

std::string LineSpacingText(int twips, std::string_view selected) {
  return ParagraphWith("\\sl", twips, selected);
}

std::string_view BorderPositionWord(BorderPosition position) {
  switch (position) {
    case BorderPosition::kTop:
      return "brdrt";
    case BorderPosition::kBottom:
      return "brdrb";
    case BorderPosition::kRight:
      return "brdrr";
    case BorderPosition::kLeft:
      return "brdrl";
    case BorderPosition::kBox:
      break;
  }
  return "box";
}

std::string_view BorderKindWord(BorderKind kind) {
  switch (kind) {
    case BorderKind::kSingle:
      break;
    case BorderKind::kThick:
      return "brdrth";
    case BorderKind::kDouble:
      return "brdrdb";
    case BorderKind::kShadow:
      return "brdrsh";
  }
  return "brdrs";
}

std::string BorderText(BorderPosition position, BorderKind kind, std::string_view selected) {
  std::string out = "\\pard\\";
  out += BorderPositionWord(position);
  out += '\\';
  out += BorderKindWord(kind);
  if (position == BorderPosition::kBox) {
    out += ' ';
    out += EndOfLineAddStr(selected, "\\line");
  }
  out += kParagraphEnd;
  return out;
}

std::string NoWrapText(std::string_view selected) {
  std::string out = "\\keep ";
  out += selected;
  out += kParagraphEnd;
  return out;
}

std::string NonScrollingRegionText(std::string_view selected) {
  std::string out = "\\keepn\r\n";
  out += selected;
  out += kParagraphEnd;
  out += "\r\n";
  return out;
}

std::string CaretPositionText(int row, int col) {
  char rows[16];
  char cols[16];
  std::snprintf(rows, sizeof rows, "%05d", row + 1);
  std::snprintf(cols, sizeof cols, "%05d", col + 1);
  return " " + std::string(rows) + Sjis("行 : ") + cols + Sjis("桁");
}

}  // namespace qy
