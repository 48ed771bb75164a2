// Cutting program text into the pieces the interpreter runs: the normalised
// source, statements split at ";", and the parts of keyword statements.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "macro/token_list.h"

namespace qy {

// `s` without the blanks and control characters at either end.
std::string_view TrimControl(std::string_view s);

// Every line tokenized on its own and rebuilt from its tokens, each after one
// blank, without comments; right-trimmed; empty lines dropped; CR LF between
// lines.
std::string NormaliseSource(std::string_view source);

// Tokens taken by a collector: [begin, end) of the list; `next` is the token
// that stopped it (left current); `reached_end` when that is End.
struct Collected {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t next = 0;
  bool reached_end = false;
};

// CollectUntil: the current token and the following ones until a token whose
// upper-cased text is one of `stops`, or End. The first token is always taken.
Collected CollectUntil(const TokenList& list, std::size_t pos, std::initializer_list<Word> stops);

// CollectStatement: a BEGIN or ELSE block up to its END, a REPEAT block up to
// its UNTIL (the opening and closing words not taken, the closing word left
// current), or a simple statement up to ";" or, while it has no IF, ELSE.
Collected CollectStatement(const TokenList& list, std::size_t pos);

// SplitStatements(";"): the token ranges between the ";" outside BEGIN…END,
// REPEAT…UNTIL and CASE…END, empty ones dropped.
std::vector<std::pair<std::size_t, std::size_t>> SplitStatementRanges(const TokenList& list);

// The same as texts (each piece's tokens joined by blanks).
std::vector<std::string> SplitStatements(std::string_view text);

}  // namespace qy
