// A text tokenized once. The interpreter works on texts, cutting statements,
// conditions and arguments out of them and tokenizing each again whenever it
// runs; keeping the tokens of every text it has cut (with what it learned
// about them) gives the same results without the repeated work.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "macro/ppa_parser.h"

namespace qy {

struct VariableEntry;
struct RoutineEntry;

// Words and symbols the interpreter reacts to, by their upper-cased text.
enum class Word : unsigned char {
  kNone,
  kSemicolon,
  kComma,
  kColon,
  kLParen,
  kRParen,
  kAssign,
  kDotDot,
  kEq,
  kNe,
  kLt,
  kLe,
  kGt,
  kGe,
  kPlus,
  kMinus,
  kStar,
  kSlash,
  kBegin,
  kEnd,
  kRepeat,
  kUntil,
  kCase,
  kOf,
  kElse,
  kIf,
  kThen,
  kFor,
  kTo,
  kDownto,
  kDo,
  kWhile,
  kBreak,
  kContinue,
  kExit,
  kVar,
  kNot,
  kAnd,
  kOr,
  kXor,
  kDiv,
  kMod,
  kShl,
  kShr,
  kInteger,
  kReal,
  kString,
  kIndex,
};

Word WordOf(std::string_view upper_text);

inline bool IsRelation(Word w) { return w >= Word::kEq && w <= Word::kGe; }

// What a name meant when it was last looked up, valid while the symbol
// tables keep the generation it was taken at.
struct Resolution {
  std::uint64_t generation = 0;
  VariableEntry* variable = nullptr;
  RoutineEntry* function = nullptr;
  RoutineEntry* procedure = nullptr;
};

// Facts about the text that follows a token (a keyword statement's parts, a
// call's arguments), worked out the first time they are needed.
enum class MemoKind : unsigned char { kPieces, kCall, kBlock, kIf, kFor, kWhile, kRepeat, kCase };

struct TokenMemo {
  explicit TokenMemo(MemoKind k) : kind(k) {}
  virtual ~TokenMemo() = default;
  MemoKind kind;
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  Word word = Word::kNone;
  bool bad_literal = false;  // a character literal whose digits form no number
  bool has_nul = false;      // the decoded StringLiteral holds a NUL byte (#0)
  std::string_view text;     // as written, inside the list's text
  std::size_t offset = 0;
  std::int64_t int_value = 0;  // IntegerLiteral
  double real_value = 0.0;     // Integer- or RealLiteral read as a decimal number
  std::string str_value;       // StringLiteral, decoded
  mutable Resolution resolution;
  mutable std::unique_ptr<TokenMemo> memo;
};

// The tokens of one text, shared by every list cut out of it.
struct TokenStore {
  std::string text;
  std::vector<Token> tokens;  // the last one is End
};

// A run of tokens of a store followed by End. Lists cut out of a list share
// its store (and must not outlive the list made from the text), so a program takes memory in
// proportion to its size however deeply its parts are nested, and what was learned about a token
// (its memo, its resolution) is learned once.
class TokenList {
 public:
  // Tokenizes `text` (up to its first NUL byte); the last token is End.
  explicit TokenList(std::string_view text);
  TokenList(const TokenList&) = delete;
  TokenList& operator=(const TokenList&) = delete;

  // The whole text of the store.
  const std::string& text() const { return store_->text; }
  std::size_t size() const { return count_ + 1; }
  const Token& operator[](std::size_t i) const {
    return i < count_ ? store_->tokens[begin_ + i] : store_->tokens.back();
  }
  std::size_t end_index() const { return count_; }

  // The tokens [begin, end) joined by single blanks.
  std::string Join(std::size_t begin, std::size_t end) const;
  // The tokens [begin, end) as a list of their own, on the same store.
  std::unique_ptr<TokenList> Slice(std::size_t begin, std::size_t end) const;

  // Facts about the whole list (its statement pieces).
  std::unique_ptr<TokenMemo>& memo() const { return memo_; }

 private:
  TokenList(const TokenStore* store, std::size_t begin, std::size_t count)
      : store_(store), begin_(begin), count_(count) {}

  // Only the list made from a text owns its store. The lists cut out of it
  // live in memos that the store's tokens and lists hold, so they go before
  // it; owning it too would make a cycle that is never freed.
  std::unique_ptr<const TokenStore> owned_;
  const TokenStore* store_ = nullptr;
  std::size_t begin_ = 0;
  std::size_t count_ = 0;  // tokens before End
  mutable std::unique_ptr<TokenMemo> memo_;
};

// A position in a token list; it never moves past End.
struct Cursor {
  const TokenList* list;
  std::size_t pos = 0;

  const Token& tok() const { return (*list)[pos]; }
  std::string_view text() const { return tok().text; }
  bool AtEnd() const { return tok().kind == TokenKind::kEnd; }
  void Next() {
    if (!AtEnd()) ++pos;
  }
};

// The memo of `token` when it is of kind M, else a new one made by `make`.
template <typename M, typename Make>
const M& MemoOf(const Token& token, Make make) {
  if (!token.memo || token.memo->kind != M::kKind) token.memo = make();
  return static_cast<const M&>(*token.memo);
}

}  // namespace qy
