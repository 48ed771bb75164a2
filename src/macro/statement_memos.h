// The parts of each keyword statement, cut from its tokens the first time
// the statement runs. Cutting depends on nothing but the tokens, so the
// parts (and the syntax errors met while cutting, raised when the run gets
// there) are kept on the keyword's token.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "macro/token_list.h"

namespace qy {

struct PiecesMemo : TokenMemo {
  static constexpr MemoKind kKind = MemoKind::kPieces;
  PiecesMemo() : TokenMemo(kKind) {}
  std::vector<std::unique_ptr<TokenList>> pieces;
};

struct BlockMemo : TokenMemo {
  static constexpr MemoKind kKind = MemoKind::kBlock;
  BlockMemo() : TokenMemo(kKind) {}
  std::unique_ptr<TokenList> block;
};

struct IfMemo : TokenMemo {
  static constexpr MemoKind kKind = MemoKind::kIf;
  IfMemo() : TokenMemo(kKind) {}
  bool missing_then = false;
  std::unique_ptr<TokenList> condition;
  std::unique_ptr<TokenList> then_part;
  std::unique_ptr<TokenList> else_part;  // null without ELSE
};

struct ForMemo : TokenMemo {
  static constexpr MemoKind kKind = MemoKind::kFor;
  ForMemo() : TokenMemo(kKind) {}
  bool bad_head = false;  // no TO/DOWNTO, or no := before it
  std::unique_ptr<TokenList> start;
  bool upward = true;
  bool missing_do = false;
  std::unique_ptr<TokenList> limit;
  std::unique_ptr<TokenList> body;
};

struct WhileMemo : TokenMemo {
  static constexpr MemoKind kKind = MemoKind::kWhile;
  WhileMemo() : TokenMemo(kKind) {}
  bool missing_do = false;
  std::unique_ptr<TokenList> condition;
  std::unique_ptr<TokenList> body;
};

struct RepeatMemo : TokenMemo {
  static constexpr MemoKind kKind = MemoKind::kRepeat;
  RepeatMemo() : TokenMemo(kKind) {}
  std::unique_ptr<TokenList> body;
  std::unique_ptr<TokenList> condition;
};

struct CaseLabel {
  std::unique_ptr<TokenList> low;
  std::unique_ptr<TokenList> high;  // null for a single value
};

struct CaseBranch {
  std::vector<CaseLabel> labels;
  std::unique_ptr<TokenList> statement;
};

struct CaseMemo : TokenMemo {
  static constexpr MemoKind kKind = MemoKind::kCase;
  CaseMemo() : TokenMemo(kKind) {}
  bool missing_of = false;
  std::unique_ptr<TokenList> selector;
  std::vector<CaseBranch> branches;
  bool bad_label = false;                // the branch after the last one lacks its ":"
  std::unique_ptr<TokenList> else_part;  // null without ELSE
  bool missing_end = false;
};

// `pos` is the index of the statement's keyword (for FOR, of FOR).
std::unique_ptr<PiecesMemo> CutPieces(const TokenList& list);
std::unique_ptr<BlockMemo> CutBlock(const TokenList& list, std::size_t pos);
std::unique_ptr<IfMemo> CutIf(const TokenList& list, std::size_t pos);
std::unique_ptr<ForMemo> CutFor(const TokenList& list, std::size_t pos);
std::unique_ptr<WhileMemo> CutWhile(const TokenList& list, std::size_t pos);
std::unique_ptr<RepeatMemo> CutRepeat(const TokenList& list, std::size_t pos);
std::unique_ptr<CaseMemo> CutCase(const TokenList& list, std::size_t pos);

}  // namespace qy
