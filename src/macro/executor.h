// Statements, statement lists and the keyword statements.
#pragma once

#include <cstdint>

#include "macro/evaluator.h"
#include "macro/interpreter_state.h"
#include "macro/token_list.h"

namespace qy {

class Executor {
 public:
  Executor(MacroState& state, Evaluator& evaluator) : s_(state), eval_(evaluator) {}

  // ExecuteStatements: pumps the host once, then runs the list's statements
  // (cut at ";" outside blocks) until one of them ends the list.
  void ExecuteList(const TokenList& list);
  // One statement: a call, an assignment and/or a keyword statement.
  void ExecuteStatement(const TokenList& list);

 private:
  // The assignment whose target's name is the current token.
  void Assign(Cursor& c, VariableEntry& target);
  void Begin(const Cursor& c);
  void If(const Cursor& c);
  void For(const Cursor& c);
  void While(const Cursor& c);
  void Repeat(const Cursor& c);
  void Case(const Cursor& c);
  bool LabelsContain(const struct CaseBranch& branch, std::int64_t selector);

  std::int64_t EvaluateInteger(const TokenList& text);
  void EndLoop() {
    s_.flags.BreakPending = false;
    s_.flags.ContinuePending = false;
  }
  bool LoopMustEnd() const { return s_.flags.ExitPending || s_.flags.BreakPending; }

  MacroState& s_;
  Evaluator& eval_;
};

}  // namespace qy
