// The three typed expression evaluators and routine calls. Expressions are
// read by recursive descent straight from the tokens; operators of one level
// apply left to right; whatever follows a complete expression is left alone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "macro/interpreter_state.h"
#include "macro/token_list.h"

namespace qy {

// A String value during evaluation. Stored strings never hold a NUL byte, so
// only values built from literals or handed over by the host need the scan
// that cuts them at one when they are stored.
struct StrRef {
  std::string_view text;
  bool may_hold_nul = false;
};

class Evaluator {
 public:
  explicit Evaluator(MacroState& state) : s_(state) {}

  // EvaluateInteger: the first token chooses the expression's type; a Real
  // result is rounded (halves to even), a String one read as a number (-1
  // when it is none).
  std::int64_t Integer(Cursor& c);
  // EvaluateReal: a Real expression.
  double Real(Cursor& c);
  // EvaluateString: the result views `scratch` or storage that stays as it is
  // until the next assignment (a variable's value, a literal).
  StrRef String(Cursor& c, std::string& scratch);

  // Evaluates the right side of an assignment to the String variable
  // `target` and stores it. V := V + ... appends to V's value in place
  // instead of copying it, which keeps growing a string in a loop linear.
  void AssignString(Cursor& c, VariableEntry& target);

  // Calls the routine whose name is the current token and leaves the cursor
  // behind the call. The returned frame holds the result until the next call
  // at the same depth.
  CallFrame& Call(Cursor& c, const RoutineEntry& routine);

 private:
  ValueType SelectType(const Token& t);
  std::int64_t TypedInteger(Cursor& c);
  double TypedReal(Cursor& c);

  std::int64_t IntExpr(Cursor& c);
  std::int64_t IntSimple(Cursor& c);
  std::int64_t IntTerm(Cursor& c);
  std::int64_t IntFactor(Cursor& c);
  std::int64_t IntPrimary(Cursor& c);

  double RealExpr(Cursor& c);
  double RealSimple(Cursor& c);
  double RealTerm(Cursor& c);
  double RealFactor(Cursor& c);
  double RealPrimary(Cursor& c);

  StrRef StrExpr(Cursor& c, std::string& scratch);
  StrRef StrRelations(Cursor& c, StrRef left);
  StrRef Concat(Cursor& c, std::string& scratch);
  StrRef StrFactor(Cursor& c, std::string& scratch);
  StrRef StrPrimary(Cursor& c, std::string& scratch);

  std::int64_t ReadInteger(const VariableEntry& v);
  double ReadReal(const VariableEntry& v);

  void EvaluateArgument(const TokenList& text, ValueType type, ArgumentValue& arg);
  void RunRoutine(const RoutineEntry& routine, CallFrame& frame);

  MacroState& s_;
};

// Stores a String value the way every variable keeps it: cut at a NUL byte.
void StoreString(VariableEntry& target, std::string_view value);
void StoreString(VariableEntry& target, StrRef value);

}  // namespace qy
