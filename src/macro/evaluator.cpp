#include "macro/evaluator.h"

#include <cstring>
#include <memory>

#include "macro/value_convert.h"

namespace qy {

namespace {

constexpr std::string_view kTrueText = "-1";
constexpr std::string_view kFalseText = "0";

template <typename T>
bool Compare(Word op, const T& a, const T& b) {
  switch (op) {
    case Word::kEq:
      return a == b;
    case Word::kNe:
      return a != b;
    case Word::kLt:
      return a < b;
    case Word::kLe:
      return a <= b;
    case Word::kGt:
      return a > b;
    default:
      return a >= b;
  }
}

bool IsIntegral(ValueType t) { return t == ValueType::kInteger || t == ValueType::kLongInteger; }

std::string_view CutAtNul(std::string_view v) {
  const void* nul = std::memchr(v.data(), '\0', v.size());
  return nul ? v.substr(0, static_cast<const char*>(nul) - v.data()) : v;
}

// The argument texts of a call with `count` parameters, cut at the "," and
// ")" outside nested parentheses.
struct CallMemo : TokenMemo {
  static constexpr MemoKind kKind = MemoKind::kCall;
  CallMemo() : TokenMemo(kKind) {}
  std::size_t count = 0;
  std::vector<std::unique_ptr<TokenList>> args;
  std::size_t end = 0;  // the token after the last argument
};

const CallMemo& ArgumentTexts(const TokenList& list, std::size_t lparen, std::size_t count) {
  const Token& open = list[lparen];
  if (open.memo && open.memo->kind == MemoKind::kCall &&
      static_cast<const CallMemo&>(*open.memo).count == count) {
    return static_cast<const CallMemo&>(*open.memo);
  }
  auto memo = std::make_unique<CallMemo>();
  memo->count = count;
  std::size_t pos = lparen + 1;
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0 && list[pos].word == Word::kComma) ++pos;
    std::size_t begin = pos;
    int depth = 0;
    while (list[pos].kind != TokenKind::kEnd) {
      Word w = list[pos].word;
      if (depth == 0 && (w == Word::kComma || w == Word::kRParen)) break;
      if (w == Word::kLParen) ++depth;
      if (w == Word::kRParen) --depth;
      ++pos;
    }
    memo->args.push_back(list.Slice(begin, pos));
  }
  memo->end = pos;
  open.memo = std::move(memo);
  return static_cast<const CallMemo&>(*open.memo);
}

// A frame of the pool for the call depth in use, returned on every exit.
class FrameLease {
 public:
  explicit FrameLease(MacroState& s) : s_(s) {
    if (s_.frames.size() <= s_.call_depth) s_.frames.push_back(std::make_unique<CallFrame>());
    frame_ = s_.frames[s_.call_depth++].get();
  }
  ~FrameLease() { --s_.call_depth; }
  FrameLease(const FrameLease&) = delete;
  FrameLease& operator=(const FrameLease&) = delete;
  CallFrame& frame() { return *frame_; }

 private:
  MacroState& s_;
  CallFrame* frame_;
};

}  // namespace

void StoreString(VariableEntry& target, StrRef value) {
  if (value.may_hold_nul) {
    StoreString(target, value.text);
  } else if (value.text.data() == target.StrValue.data()) {
    target.StrValue.resize(value.text.size());
  } else {
    target.StrValue.assign(value.text);
  }
}

void StoreString(VariableEntry& target, std::string_view value) {
  value = CutAtNul(value);
  if (value.data() == target.StrValue.data()) {
    target.StrValue.resize(value.size());
  } else {
    target.StrValue.assign(value);
  }
}

ValueType Evaluator::SelectType(const Token& t) {
  switch (t.kind) {
    case TokenKind::kStringLiteral:
      return ValueType::kString;
    case TokenKind::kRealLiteral:
      return ValueType::kReal;
    case TokenKind::kIdentifier: {
      const Resolution& r = s_.Resolve(t);
      ValueType type = ValueType::kInteger;
      if (r.variable) {
        type = r.variable->Type;
      } else if (r.function) {
        type = r.function->ResultType;
      }
      return type == ValueType::kLongInteger ? ValueType::kInteger : type;
    }
    default:
      return ValueType::kInteger;
  }
}

std::int64_t Evaluator::Integer(Cursor& c) {
  BusyGuard busy(s_);
  return TypedInteger(c);
}

double Evaluator::Real(Cursor& c) {
  BusyGuard busy(s_);
  return RealExpr(c);
}

StrRef Evaluator::String(Cursor& c, std::string& scratch) {
  BusyGuard busy(s_);
  return StrExpr(c, scratch);
}

std::int64_t Evaluator::TypedInteger(Cursor& c) {
  switch (SelectType(c.tok())) {
    case ValueType::kString: {
      std::string scratch;
      return StringToInteger(StrExpr(c, scratch).text);
    }
    case ValueType::kReal:
      return RoundToInteger(RealExpr(c));
    default:
      return IntExpr(c);
  }
}

double Evaluator::TypedReal(Cursor& c) {
  switch (SelectType(c.tok())) {
    case ValueType::kString: {
      std::string scratch;
      return StringToReal(StrExpr(c, scratch).text);
    }
    case ValueType::kReal:
      return RealExpr(c);
    default:
      return static_cast<double>(IntExpr(c));
  }
}

// ---- Integer expressions -------------------------------------------------

std::int64_t Evaluator::IntExpr(Cursor& c) {
  std::int64_t v = IntSimple(c);
  while (IsRelation(c.tok().word)) {
    Word op = c.tok().word;
    c.Next();
    std::int64_t w = IntSimple(c);
    v = Compare(op, v, w) ? -1 : 0;
  }
  return v;
}

std::int64_t Evaluator::IntSimple(Cursor& c) {
  std::int64_t v = IntTerm(c);
  for (;;) {
    Word op = c.tok().word;
    if (op != Word::kPlus && op != Word::kMinus && op != Word::kOr && op != Word::kXor) return v;
    c.Next();
    std::int64_t w = IntTerm(c);
    switch (op) {
      case Word::kPlus:
        v = WrapAdd(v, w);
        break;
      case Word::kMinus:
        v = WrapSub(v, w);
        break;
      case Word::kOr:
        v |= w;
        break;
      default:
        v ^= w;
        break;
    }
  }
}

std::int64_t Evaluator::IntTerm(Cursor& c) {
  std::int64_t v;
  if (c.tok().word == Word::kNot) {
    c.Next();
    v = ~IntFactor(c);
  } else {
    v = IntFactor(c);
  }
  for (;;) {
    Word op = c.tok().word;
    if (op != Word::kStar && op != Word::kDiv && op != Word::kMod && op != Word::kAnd &&
        op != Word::kShl && op != Word::kShr) {
      return v;
    }
    c.Next();
    std::int64_t w = IntFactor(c);
    switch (op) {
      case Word::kStar:
        v = WrapMul(v, w);
        break;
      case Word::kDiv:
        v = IntegerDiv(v, w);
        break;
      case Word::kMod:
        v = IntegerMod(v, w);
        break;
      case Word::kAnd:
        v &= w;
        break;
      case Word::kShl:
        v = ShiftLeft(v, w);
        break;
      default:
        v = ShiftRight(v, w);
        break;
    }
  }
}

std::int64_t Evaluator::IntFactor(Cursor& c) {
  switch (c.tok().word) {
    case Word::kLParen: {
      NestingGuard nesting(s_);
      c.Next();
      std::int64_t v = TypedInteger(c);
      if (c.tok().word != Word::kRParen) throw MissingRightParenError();
      c.Next();
      return v;
    }
    case Word::kPlus: {
      NestingGuard nesting(s_);
      c.Next();
      return IntTerm(c);
    }
    case Word::kMinus: {
      NestingGuard nesting(s_);
      c.Next();
      return WrapNeg(IntTerm(c));
    }
    default:
      return IntPrimary(c);
  }
}

std::int64_t Evaluator::IntPrimary(Cursor& c) {
  const Token& t = c.tok();
  if (t.kind == TokenKind::kIntegerLiteral) {
    c.Next();
    return t.int_value;
  }
  if (t.kind != TokenKind::kIdentifier) throw SyntaxError(t.text);
  const Resolution& r = s_.Resolve(t);
  if (VariableEntry* v = r.variable) {
    if (!IsIntegral(v->Type)) throw VariableTypeError(t.text);
    c.Next();
    return v->HostBound ? ReadInteger(*v) : v->IntValue;
  }
  if (RoutineEntry* f = r.function) {
    if (!IsIntegral(f->ResultType)) throw ResultTypeError(t.text);
    return Call(c, *f).IntResult;
  }
  throw UndefinedError(t.text);
}

// ---- Real expressions ----------------------------------------------------

double Evaluator::RealExpr(Cursor& c) {
  double v = RealSimple(c);
  while (IsRelation(c.tok().word)) {
    Word op = c.tok().word;
    c.Next();
    double w = RealSimple(c);
    v = Compare(op, v, w) ? -1.0 : 0.0;
  }
  return v;
}

double Evaluator::RealSimple(Cursor& c) {
  double v = RealTerm(c);
  for (;;) {
    Word op = c.tok().word;
    if (op != Word::kPlus && op != Word::kMinus) return v;
    c.Next();
    double w = RealTerm(c);
    v = CheckedReal(op == Word::kPlus ? v + w : v - w);
  }
}

double Evaluator::RealTerm(Cursor& c) {
  double v = RealFactor(c);
  for (;;) {
    Word op = c.tok().word;
    if (op != Word::kStar && op != Word::kSlash) return v;
    c.Next();
    double w = RealFactor(c);
    v = op == Word::kStar ? CheckedReal(v * w) : RealDivide(v, w);
  }
}

double Evaluator::RealFactor(Cursor& c) {
  switch (c.tok().word) {
    case Word::kLParen: {
      NestingGuard nesting(s_);
      c.Next();
      double v = TypedReal(c);
      if (c.tok().word != Word::kRParen) throw MissingRightParenError();
      c.Next();
      return v;
    }
    case Word::kPlus: {
      NestingGuard nesting(s_);
      c.Next();
      return RealTerm(c);
    }
    case Word::kMinus: {
      NestingGuard nesting(s_);
      c.Next();
      return -RealTerm(c);
    }
    default:
      return RealPrimary(c);
  }
}

double Evaluator::RealPrimary(Cursor& c) {
  const Token& t = c.tok();
  if (t.kind == TokenKind::kIntegerLiteral || t.kind == TokenKind::kRealLiteral) {
    c.Next();
    return t.real_value;
  }
  if (t.kind != TokenKind::kIdentifier) throw SyntaxError(t.text);
  const Resolution& r = s_.Resolve(t);
  if (VariableEntry* v = r.variable) {
    if (v->Type == ValueType::kString) throw VariableTypeError(t.text);
    c.Next();
    if (v->Type == ValueType::kReal) return v->HostBound ? ReadReal(*v) : v->RealValue;
    return static_cast<double>(v->HostBound ? ReadInteger(*v) : v->IntValue);
  }
  if (RoutineEntry* f = r.function) {
    if (f->ResultType == ValueType::kString) throw ResultTypeError(t.text);
    bool real = f->ResultType == ValueType::kReal;
    CallFrame& frame = Call(c, *f);
    return real ? frame.RealResult : static_cast<double>(frame.IntResult);
  }
  throw UndefinedError(t.text);
}

// ---- String expressions --------------------------------------------------

StrRef Evaluator::StrExpr(Cursor& c, std::string& scratch) {
  return StrRelations(c, Concat(c, scratch));
}

StrRef Evaluator::StrRelations(Cursor& c, StrRef left) {
  while (IsRelation(c.tok().word)) {
    Word op = c.tok().word;
    c.Next();
    std::string right_scratch;
    StrRef right = Concat(c, right_scratch);
    left = {Compare(op, left.text, right.text) ? kTrueText : kFalseText, false};
  }
  return left;
}

StrRef Evaluator::Concat(Cursor& c, std::string& scratch) {
  StrRef v = StrFactor(c, scratch);
  for (;;) {
    if (c.tok().word == Word::kPlus) {
      c.Next();
    } else if (c.tok().kind != TokenKind::kStringLiteral) {
      return v;
    }
    // Own the left part before the right one runs: a view must not be held
    // across a call.
    if (v.text.data() != scratch.data() || v.text.size() != scratch.size()) scratch.assign(v.text);
    std::string part_scratch;
    StrRef part = StrFactor(c, part_scratch);
    s_.CheckLength(scratch.size() + part.text.size());
    scratch.append(part.text);
    v = {scratch, v.may_hold_nul || part.may_hold_nul};
  }
}

StrRef Evaluator::StrFactor(Cursor& c, std::string& scratch) {
  if (c.tok().word != Word::kLParen) return StrPrimary(c, scratch);
  NestingGuard nesting(s_);
  c.Next();
  StrRef v = StrExpr(c, scratch);
  if (c.tok().word != Word::kRParen) throw MissingRightParenError();
  c.Next();
  return v;
}

StrRef Evaluator::StrPrimary(Cursor& c, std::string& scratch) {
  const Token& t = c.tok();
  if (t.kind == TokenKind::kStringLiteral) {
    if (t.bad_literal) throw BadCharacterCodeError(t.text);
    c.Next();
    return {t.str_value, t.has_nul};
  }
  if (t.kind != TokenKind::kIdentifier) throw SyntaxError(t.text);
  const Resolution& r = s_.Resolve(t);
  if (VariableEntry* v = r.variable) {
    if (v->Type != ValueType::kString) throw VariableTypeError(t.text);
    c.Next();
    if (!v->HostBound) return {v->StrValue, false};
    scratch = v->StrValue;
    s_.host->ReadStringProperty(s_.owner, *v, scratch);
    return {scratch, true};
  }
  if (RoutineEntry* f = r.function) {
    if (f->ResultType != ValueType::kString) throw ResultTypeError(t.text);
    scratch = std::move(Call(c, *f).StrResult);
    s_.CheckLength(scratch.size());
    return {scratch, true};
  }
  throw UndefinedError(t.text);
}

void Evaluator::AssignString(Cursor& c, VariableEntry& target) {
  BusyGuard busy(s_);
  const Token& first = c.tok();
  const TokenList& list = *c.list;
  if (!target.HostBound && first.kind == TokenKind::kIdentifier &&
      s_.Resolve(first).variable == &target && c.pos + 1 < list.size()) {
    const Token& after = list[c.pos + 1];
    if (after.word == Word::kPlus || after.kind == TokenKind::kStringLiteral) {
      // The parts after V are evaluated first; nothing can change V meanwhile,
      // so appending them gives exactly V + parts.
      c.Next();
      std::string tail;
      bool may_hold_nul = false;
      for (;;) {
        if (c.tok().word == Word::kPlus) {
          c.Next();
        } else if (c.tok().kind != TokenKind::kStringLiteral) {
          break;
        }
        std::string part_scratch;
        StrRef part = StrFactor(c, part_scratch);
        s_.CheckLength(target.StrValue.size() + tail.size() + part.text.size());
        tail.append(part.text);
        may_hold_nul = may_hold_nul || part.may_hold_nul;
      }
      if (!IsRelation(c.tok().word)) {
        target.StrValue.append(may_hold_nul ? CutAtNul(tail) : std::string_view(tail));
        return;
      }
      std::string joined = target.StrValue + tail;
      StoreString(target, StrRelations(c, {joined, true}));
      return;
    }
  }
  std::string scratch;
  StoreString(target, StrExpr(c, scratch));
}

// ---- Host values and calls -----------------------------------------------

std::int64_t Evaluator::ReadInteger(const VariableEntry& v) {
  std::int64_t value = v.IntValue;
  s_.host->ReadIntegerProperty(s_.owner, v, value);
  return value;
}

double Evaluator::ReadReal(const VariableEntry& v) {
  double value = v.RealValue;
  s_.host->ReadRealProperty(s_.owner, v, value);
  return value;
}

void Evaluator::EvaluateArgument(const TokenList& text, ValueType type, ArgumentValue& arg) {
  // An argument that is one plain variable of the parameter's type (as in
  // Length(S)) gives the same as the full evaluation, without its descent.
  if (text.size() == 2 && text[0].kind == TokenKind::kIdentifier) {
    const VariableEntry* v = s_.Resolve(text[0]).variable;
    if (v && !v->HostBound) {
      if (type == ValueType::kString && v->Type == ValueType::kString) {
        arg.Str = v->StrValue;
        return;
      }
      if (type != ValueType::kString && type != ValueType::kReal &&
          v->Type == ValueType::kInteger) {
        arg.Int = v->IntValue;
        return;
      }
    }
  }
  Cursor ac{&text, 0};
  switch (type) {
    case ValueType::kReal:
      arg.Real = RealExpr(ac);
      break;
    case ValueType::kString: {
      StrRef value = StrExpr(ac, arg.Owned);
      std::string_view v = value.may_hold_nul ? CutAtNul(value.text) : value.text;
      if (v.data() == arg.Owned.data()) {
        arg.Owned.resize(v.size());
        arg.Str = arg.Owned;
      } else {
        arg.Str = v;
      }
      break;
    }
    default:
      arg.Int = TypedInteger(ac);
      break;
  }
}

void Evaluator::RunRoutine(const RoutineEntry& routine, CallFrame& frame) {
  if (!routine.Permanent) {
    s_.host->CallRoutine(s_.owner, frame);
    return;
  }
  if (!s_.host->CallBuiltin(s_.owner, frame)) {
    if (routine.IsFunction) throw NoBuiltinFunctionError(routine.Name);
    throw NoBuiltinProcedureError(routine.Name);
  }
}

CallFrame& Evaluator::Call(Cursor& c, const RoutineEntry& routine) {
  NestingGuard nesting(s_);
  BusyGuard busy(s_);
  c.Next();
  FrameLease lease(s_);
  CallFrame& frame = lease.frame();
  frame.Routine = &routine;
  frame.IntResult = 0;
  frame.RealResult = 0.0;
  frame.StrResult.clear();
  const std::size_t count = routine.Parameters.size();
  frame.Args.resize(count);
  for (ArgumentValue& arg : frame.Args) arg.Str = {};
  if (count > 0) {
    if (c.tok().word != Word::kLParen) throw SyntaxError(c.text());
    const CallMemo& memo = ArgumentTexts(*c.list, c.pos, count);
    for (std::size_t i = 0; i < count; ++i) {
      EvaluateArgument(*memo.args[i], routine.Parameters[i].Type, frame.Args[i]);
    }
    c.pos = memo.end;
  }
  RunRoutine(routine, frame);
  if (count > 0) {
    if (c.tok().word != Word::kRParen) throw SyntaxError(c.text());
    c.Next();
  }
  return frame;
}

}  // namespace qy
