#include "macro/statement_memos.h"

#include "macro/source_text.h"

namespace qy {

namespace {

std::unique_ptr<TokenList> Part(const TokenList& list, const Collected& c) {
  return list.Slice(c.begin, c.end);
}

// Passes the current token when it is `w`.
std::size_t Pass(const TokenList& list, std::size_t pos, Word w) {
  return list[pos].word == w ? pos + 1 : pos;
}

// A label list cut at the "," outside parentheses; an item holding ".." is a
// range split at its first "..".
std::vector<CaseLabel> CutLabels(const TokenList& list, std::size_t begin, std::size_t end) {
  std::vector<CaseLabel> labels;
  auto add_item = [&](std::size_t b, std::size_t e) {
    CaseLabel label;
    std::size_t dots = b;
    while (dots < e && list[dots].word != Word::kDotDot) ++dots;
    if (dots < e) {
      label.low = list.Slice(b, dots);
      label.high = list.Slice(dots + 1, e);
    } else {
      label.low = list.Slice(b, e);
    }
    labels.push_back(std::move(label));
  };
  std::size_t item = begin;
  int depth = 0;
  for (std::size_t i = begin; i < end; ++i) {
    Word w = list[i].word;
    if (w == Word::kLParen) ++depth;
    if (w == Word::kRParen) --depth;
    if (w == Word::kComma && depth == 0) {
      add_item(item, i);
      item = i + 1;
    }
  }
  add_item(item, end);
  return labels;
}

}  // namespace

std::unique_ptr<PiecesMemo> CutPieces(const TokenList& list) {
  auto memo = std::make_unique<PiecesMemo>();
  for (const auto& [begin, end] : SplitStatementRanges(list)) {
    memo->pieces.push_back(list.Slice(begin, end));
  }
  return memo;
}

std::unique_ptr<BlockMemo> CutBlock(const TokenList& list, std::size_t pos) {
  auto memo = std::make_unique<BlockMemo>();
  memo->block = Part(list, CollectStatement(list, pos));
  return memo;
}

std::unique_ptr<IfMemo> CutIf(const TokenList& list, std::size_t pos) {
  auto memo = std::make_unique<IfMemo>();
  Collected condition = CollectUntil(list, pos + 1, {Word::kThen});
  if (condition.reached_end) {
    memo->missing_then = true;
    return memo;
  }
  memo->condition = Part(list, condition);
  Collected then_part = CollectControlledStatement(list, condition.next + 1);
  memo->then_part = Part(list, then_part);
  pos = Pass(list, then_part.next, Word::kEnd);
  if (list[pos].word == Word::kElse) {
    memo->else_part = Part(list, CollectControlledStatement(list, pos + 1));
  }
  return memo;
}

std::unique_ptr<ForMemo> CutFor(const TokenList& list, std::size_t pos) {
  auto memo = std::make_unique<ForMemo>();
  Collected start = CollectUntil(list, pos + 1, {Word::kTo, Word::kDownto});
  bool has_assign = false;
  for (std::size_t i = start.begin; i < start.end; ++i) {
    if (list[i].word == Word::kAssign) has_assign = true;
  }
  if (start.reached_end || !has_assign) {
    memo->bad_head = true;
    return memo;
  }
  memo->start = Part(list, start);
  memo->upward = list[start.next].word == Word::kTo;
  Collected limit = CollectUntil(list, start.next + 1, {Word::kDo});
  if (limit.reached_end) {
    memo->missing_do = true;
    return memo;
  }
  memo->limit = Part(list, limit);
  memo->body = Part(list, CollectControlledStatement(list, limit.next + 1));
  return memo;
}

std::unique_ptr<WhileMemo> CutWhile(const TokenList& list, std::size_t pos) {
  auto memo = std::make_unique<WhileMemo>();
  Collected condition = CollectUntil(list, pos + 1, {Word::kDo});
  if (condition.reached_end) {
    memo->missing_do = true;
    return memo;
  }
  memo->condition = Part(list, condition);
  memo->body = Part(list, CollectControlledStatement(list, condition.next + 1));
  return memo;
}

std::unique_ptr<RepeatMemo> CutRepeat(const TokenList& list, std::size_t pos) {
  auto memo = std::make_unique<RepeatMemo>();
  Collected body = CollectStatement(list, pos);
  memo->body = Part(list, body);
  pos = Pass(list, body.next, Word::kUntil);
  memo->condition = Part(list, CollectUntil(list, pos, {Word::kSemicolon}));
  return memo;
}

std::unique_ptr<CaseMemo> CutCase(const TokenList& list, std::size_t pos) {
  auto memo = std::make_unique<CaseMemo>();
  Collected selector = CollectUntil(list, pos + 1, {Word::kOf});
  if (selector.reached_end) {
    memo->missing_of = true;
    return memo;
  }
  memo->selector = Part(list, selector);
  pos = selector.next + 1;
  for (;;) {
    Collected labels = CollectUntil(list, pos, {Word::kColon});
    if (list[labels.next].word != Word::kColon) {
      memo->bad_label = true;
      return memo;
    }
    CaseBranch branch;
    branch.labels = CutLabels(list, labels.begin, labels.end);
    Collected statement = CollectControlledStatement(list, labels.next + 1);
    branch.statement = Part(list, statement);
    memo->branches.push_back(std::move(branch));
    pos = Pass(list, Pass(list, statement.next, Word::kEnd), Word::kSemicolon);
    Word w = list[pos].word;
    if (w == Word::kElse || w == Word::kEnd || list[pos].kind == TokenKind::kEnd) break;
  }
  if (list[pos].word == Word::kElse) {
    Collected else_part = CollectStatement(list, pos);
    memo->else_part = Part(list, else_part);
    pos = else_part.next;
  }
  memo->missing_end = list[pos].word != Word::kEnd;
  return memo;
}

}  // namespace qy
