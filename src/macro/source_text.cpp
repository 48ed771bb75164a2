#include "macro/source_text.h"

#include <algorithm>

#include "core/cp932.h"
#include "macro/ppa_parser.h"

namespace qy {

namespace {

// How a token moves the block depth that the cutters count.
int DepthChange(Word w) {
  switch (w) {
    case Word::kBegin:
    case Word::kRepeat:
    case Word::kCase:
      return 1;
    case Word::kEnd:
    case Word::kUntil:
      return -1;
    default:
      return 0;
  }
}

bool IsEnd(const TokenList& list, std::size_t pos) { return list[pos].kind == TokenKind::kEnd; }

}  // namespace

std::string_view TrimControl(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.remove_suffix(1);
  return s;
}

std::string NormaliseSource(std::string_view source) {
  std::string out;
  for (const std::string& line : SplitLines(source)) {
    std::string rebuilt;
    for (TPPAParser parser(line); parser.Kind() != TokenKind::kEnd; parser.Next()) {
      if (parser.Kind() == TokenKind::kComment) continue;
      rebuilt += ' ';
      rebuilt.append(parser.Token());
    }
    while (!rebuilt.empty() && static_cast<unsigned char>(rebuilt.back()) <= 32) rebuilt.pop_back();
    if (rebuilt.empty()) continue;
    if (!out.empty()) out += "\r\n";
    out += rebuilt;
  }
  return out;
}

Collected CollectUntil(const TokenList& list, std::size_t pos, std::initializer_list<Word> stops) {
  Collected c;
  c.begin = pos;
  bool first = true;
  while (!IsEnd(list, pos)) {
    if (!first && std::find(stops.begin(), stops.end(), list[pos].word) != stops.end()) break;
    first = false;
    ++pos;
  }
  c.end = c.next = pos;
  c.reached_end = IsEnd(list, pos);
  return c;
}

Collected CollectStatement(const TokenList& list, std::size_t pos) {
  Collected c;
  Word opening = list[pos].word;
  if (opening == Word::kBegin || opening == Word::kElse || opening == Word::kRepeat) {
    Word closing = opening == Word::kRepeat ? Word::kUntil : Word::kEnd;
    ++pos;
    c.begin = pos;
    if (list[pos].word != Word::kEnd && list[pos].word != Word::kUntil) {
      int depth = 0;
      while (!IsEnd(list, pos)) {
        depth += DepthChange(list[pos].word);
        ++pos;
        if (depth == 0 && list[pos].word == closing) break;
      }
    }
  } else {
    c.begin = pos;
    int depth = 0;
    int ifs = 0;
    while (!IsEnd(list, pos)) {
      Word w = list[pos].word;
      depth += DepthChange(w);
      if (w == Word::kIf) ++ifs;
      ++pos;
      if (depth == 0) {
        Word next = list[pos].word;
        if (next == Word::kSemicolon || (next == Word::kElse && ifs == 0)) break;
      }
    }
  }
  c.end = c.next = pos;
  c.reached_end = IsEnd(list, pos);
  return c;
}

std::vector<std::pair<std::size_t, std::size_t>> SplitStatementRanges(const TokenList& list) {
  std::vector<std::pair<std::size_t, std::size_t>> pieces;
  std::size_t start = 0;
  int depth = 0;
  std::size_t i = 0;
  for (; !IsEnd(list, i); ++i) {
    Word w = list[i].word;
    if (w == Word::kSemicolon && depth == 0) {
      if (i > start) pieces.emplace_back(start, i);
      start = i + 1;
      continue;
    }
    depth += DepthChange(w);
  }
  if (i > start) pieces.emplace_back(start, i);
  return pieces;
}

std::vector<std::string> SplitStatements(std::string_view text) {
  TokenList list(text);
  std::vector<std::string> out;
  for (const auto& [begin, end] : SplitStatementRanges(list)) out.push_back(list.Join(begin, end));
  return out;
}

}  // namespace qy
