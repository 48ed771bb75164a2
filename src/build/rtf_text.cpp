#include "build/rtf_text.h"

#include <array>
#include <vector>

#include "core/cp932.h"

namespace qy {

namespace {

void AppendHexByte(std::string& out, unsigned char byte) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\'";
  out += kHex[byte >> 4];
  out += kHex[byte & 15];
}

// A control word counts only when its backslash starts a character: in
// "表par" the "\" is the trail byte of 表 (0x95 0x5C), and that line still
// needs its paragraph mark.
bool EndsWithControlWord(std::string_view line, std::string_view word) {
  if (line.size() < word.size() || line.substr(line.size() - word.size()) != word) return false;
  return IsCharBoundary(line, line.size() - word.size());
}

bool EndsInParagraphControl(std::string_view line) {
  static constexpr std::array<std::string_view, 4> kWords = {"\\par", "\\pard", "\\line",
                                                             "\\keepn"};
  for (std::string_view word : kWords) {
    if (EndsWithControlWord(line, word)) return true;
  }
  return false;
}

}  // namespace

std::string EscapeDbcs(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  std::size_t i = 0;
  while (i < text.size()) {
    if (CharLengthAt(text, i) == 2) {
      AppendHexByte(out, static_cast<unsigned char>(text[i]));
      AppendHexByte(out, static_cast<unsigned char>(text[i + 1]));
      i += 2;
    } else {
      out += text[i];
      ++i;
    }
  }
  return out;
}

std::string EndOfLineAddStr(std::string_view text, std::string_view suffix) {
  if (text.empty()) return {};
  std::vector<std::string> lines = SplitLines(text);
  if (text.size() >= 2 && text.substr(text.size() - 2) == kCrLf) lines.emplace_back();
  std::string out;
  out.reserve(text.size() + lines.size() * (suffix.size() + 2));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    out += lines[i];
    if (!EndsInParagraphControl(lines[i])) out += suffix;
    if (i + 1 < lines.size()) out += kCrLf;
  }
  return out;
}

}  // namespace qy
