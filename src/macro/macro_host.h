// How the interpreter reaches whatever carries it: the built-in routines, the
// host's routines and properties, and the pumping of the message queue.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "macro/symbols.h"

namespace qy {

class Interpreter;

// One evaluated argument, in the slot of its parameter's type.
struct ArgumentValue {
  std::int64_t Int = 0;  // Integer and LongInteger
  double Real = 0.0;
  // String: valid for the duration of the call. Never contains a NUL byte
  // (an argument is cut there, as every stored string is).
  std::string_view Str;
  std::string Owned;  // storage behind Str when the argument was computed
};

// A routine call in progress: the routine, its arguments in parameter order
// and the result slot for its result type (preset to 0, 0.0 or '').
struct CallFrame {
  const RoutineEntry* Routine = nullptr;
  std::vector<ArgumentValue> Args;
  std::int64_t IntResult = 0;  // Integer and LongInteger results
  double RealResult = 0.0;
  std::string StrResult;
};

// Implemented by the component that carries the interpreter. Every hook may
// end the run by throwing MacroError (HostError for a host's own message).
// While a hook runs inside an expression or a call, variable values must not
// be changed (Interpreter refuses it); tables may grow.
class MacroHost {
 public:
  virtual ~MacroHost() = default;

  // At the start of every statement list: pump the message queue, and
  // possibly ask the interpreter to stop (Interpreter::RequestStop).
  virtual void StatementListStarting(Interpreter&) {}

  // A Permanent routine: run the built-in of frame.Routine->Index and fill
  // the result. False when that index has no built-in.
  virtual bool CallBuiltin(Interpreter&, CallFrame&) { return false; }

  // Any other routine (declared from a prototype line, or External).
  // Without a host it does nothing and gives 0, 0.0 or ''.
  virtual void CallRoutine(Interpreter&, CallFrame&) {}

  // A HostBound entry read as an operand; `value` arrives holding the stored
  // value and leaves holding the operand's value. The entry is not changed.
  virtual void ReadIntegerProperty(Interpreter&, const VariableEntry&, std::int64_t&) {}
  virtual void ReadRealProperty(Interpreter&, const VariableEntry&, double&) {}
  virtual void ReadStringProperty(Interpreter&, const VariableEntry&, std::string&) {}

  // A HostBound entry was assigned; the new value is already stored in it.
  virtual void PropertyAssigned(Interpreter&, const VariableEntry&) {}
};

}  // namespace qy
