#include "macro/executor.h"

#include "macro/statement_memos.h"
#include "macro/value_convert.h"

namespace qy {

void Executor::ExecuteList(const TokenList& list) {
  NestingGuard nesting(s_);
  s_.host->StatementListStarting(s_.owner);
  s_.CountStep();
  if (!list.memo() || list.memo()->kind != MemoKind::kPieces) list.memo() = CutPieces(list);
  const auto& pieces = static_cast<const PiecesMemo&>(*list.memo()).pieces;
  for (const auto& piece : pieces) {
    if (s_.ListMustEnd()) return;
    ExecuteStatement(*piece);
  }
}

void Executor::ExecuteStatement(const TokenList& list) {
  s_.CountStep();
  Cursor c{&list, 0};
  const Token& first = c.tok();
  if (first.kind != TokenKind::kIdentifier) throw SyntaxError(first.text);
  bool done = false;
  const Resolution& r = s_.Resolve(first);
  if (RoutineEntry* procedure = r.procedure) {
    eval_.Call(c, *procedure);
    done = true;
  } else if (RoutineEntry* function = r.function) {
    eval_.Call(c, *function);
    done = true;
  }
  if (c.tok().kind == TokenKind::kIdentifier) {
    if (VariableEntry* target = s_.Resolve(c.tok()).variable) {
      Assign(c, *target);
      done = true;
    }
  }
  switch (c.tok().word) {
    case Word::kSemicolon:
      c.Next();
      break;
    case Word::kBegin:
      Begin(c);
      break;
    case Word::kBreak:
      s_.flags.BreakPending = true;
      break;
    case Word::kContinue:
      s_.flags.ContinuePending = true;
      break;
    case Word::kExit:
      s_.flags.ExitPending = true;
      break;
    case Word::kIf:
      If(c);
      break;
    case Word::kFor:
      For(c);
      break;
    case Word::kWhile:
      While(c);
      break;
    case Word::kRepeat:
      Repeat(c);
      break;
    case Word::kCase:
      Case(c);
      break;
    default:
      if (!done) throw SyntaxError(c.text());
  }
}

void Executor::Assign(Cursor& c, VariableEntry& target) {
  if (target.ReadOnly) throw ReadOnlyError(c.text());
  c.Next();
  if (c.tok().word != Word::kAssign) throw SyntaxError(c.text());
  c.Next();
  switch (target.Type) {
    case ValueType::kReal:
      target.RealValue = eval_.Real(c);
      break;
    case ValueType::kString:
      eval_.AssignString(c, target);
      break;
    default:
      target.IntValue = eval_.Integer(c);
      break;
  }
  if (target.HostBound) s_.host->PropertyAssigned(s_.owner, target);
  // The rest of the statement was the expression's text.
  c.pos = c.list->end_index();
}

std::int64_t Executor::EvaluateInteger(const TokenList& text) {
  Cursor c{&text, 0};
  return eval_.Integer(c);
}

void Executor::Begin(const Cursor& c) {
  const BlockMemo& memo = MemoOf<BlockMemo>(c.tok(), [&] { return CutBlock(*c.list, c.pos); });
  ExecuteList(*memo.block);
}

void Executor::If(const Cursor& c) {
  const IfMemo& memo = MemoOf<IfMemo>(c.tok(), [&] { return CutIf(*c.list, c.pos); });
  if (memo.missing_then) throw SyntaxError("if");
  if (EvaluateInteger(*memo.condition) != 0) {
    ExecuteList(*memo.then_part);
  } else if (memo.else_part) {
    ExecuteList(*memo.else_part);
  }
}

void Executor::For(const Cursor& c) {
  const Token& name = (*c.list)[c.pos + 1];
  VariableEntry* var = name.kind == TokenKind::kIdentifier ? s_.Resolve(name).variable : nullptr;
  if (!var || var->Type != ValueType::kInteger || var->ReadOnly) throw SyntaxError("for");
  const ForMemo& memo = MemoOf<ForMemo>(c.tok(), [&] { return CutFor(*c.list, c.pos); });
  if (memo.bad_head) throw SyntaxError("for");
  Cursor start{memo.start.get(), 0};
  Assign(start, *var);
  const std::int64_t first = var->IntValue;
  if (memo.missing_do) throw SyntaxError("for");
  const std::int64_t limit = EvaluateInteger(*memo.limit);
  // The loop counts with 32-bit values.
  const std::int64_t from = Low32(first);
  const std::int64_t to = Low32(limit);
  const std::int64_t step = memo.upward ? 1 : -1;
  if (memo.upward ? from <= to : from >= to) {
    for (std::int64_t i = from;; i += step) {
      if (s_.flags.StopRequested) break;
      var->IntValue = i;
      s_.flags.ContinuePending = false;
      ExecuteList(*memo.body);
      if (LoopMustEnd() || i == to) break;
    }
  }
  EndLoop();
}

void Executor::While(const Cursor& c) {
  const WhileMemo& memo = MemoOf<WhileMemo>(c.tok(), [&] { return CutWhile(*c.list, c.pos); });
  if (memo.missing_do) throw SyntaxError("while");
  while (!s_.flags.StopRequested && EvaluateInteger(*memo.condition) != 0) {
    s_.flags.ContinuePending = false;
    ExecuteList(*memo.body);
    if (LoopMustEnd()) break;
  }
  EndLoop();
}

void Executor::Repeat(const Cursor& c) {
  const RepeatMemo& memo = MemoOf<RepeatMemo>(c.tok(), [&] { return CutRepeat(*c.list, c.pos); });
  std::int64_t value = 0;
  while (!s_.flags.StopRequested && value == 0) {
    s_.flags.ContinuePending = false;
    ExecuteList(*memo.body);
    if (LoopMustEnd()) break;
    value = EvaluateInteger(*memo.condition);
  }
  EndLoop();
}

bool Executor::LabelsContain(const CaseBranch& branch, std::int64_t selector) {
  for (const CaseLabel& label : branch.labels) {
    std::int64_t low = EvaluateInteger(*label.low);
    std::int64_t high = label.high ? EvaluateInteger(*label.high) : low;
    if (low <= selector && selector <= high) return true;
  }
  return false;
}

void Executor::Case(const Cursor& c) {
  const CaseMemo& memo = MemoOf<CaseMemo>(c.tok(), [&] { return CutCase(*c.list, c.pos); });
  if (memo.missing_of) throw MissingOfError("case");
  const std::int64_t selector = EvaluateInteger(*memo.selector);
  bool matched = false;
  // Every branch whose labels hold the selector runs, in the order written.
  for (const CaseBranch& branch : memo.branches) {
    if (LabelsContain(branch, selector)) {
      ExecuteList(*branch.statement);
      matched = true;
    }
  }
  if (memo.bad_label) throw BadExpressionError("case");
  if (memo.else_part && !matched) ExecuteList(*memo.else_part);
  if (memo.missing_end) throw MissingEndError("case");
}

}  // namespace qy
