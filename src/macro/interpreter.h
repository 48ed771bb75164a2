// The macro language interpreter: symbol tables, the run of a program, and
// the entry points that the component carrying it (built-ins, host routines
// and properties, through MacroHost) uses.
//
// Single-threaded and not re-entrant: a run must not be started from inside
// a run (Execute refuses it with MacroError).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "macro/interpreter_state.h"
#include "macro/macro_error.h"
#include "macro/macro_host.h"
#include "macro/symbols.h"

namespace qy {

class Evaluator;
class Executor;

class Interpreter {
 public:
  // `host` may be null (no built-ins, host routines do nothing); it must
  // outlive the interpreter or be replaced first.
  explicit Interpreter(MacroHost* host = nullptr);
  ~Interpreter();
  Interpreter(const Interpreter&) = delete;
  Interpreter& operator=(const Interpreter&) = delete;

  void set_host(MacroHost* host);

  // Runs a whole program: clears the run flags, removes every entry that is
  // not Permanent, declares `prototypes` (lines of host routines), reads the
  // VAR section and executes the body. Errors end the run and pass out as
  // MacroError; the tables keep their state.
  void Execute(std::string_view source, const std::vector<std::string>& prototypes = {});

  // The engine's text operations, usable from a host between statements.
  void ExecuteStatements(std::string_view text);
  std::int64_t EvaluateInteger(std::string_view text);
  double EvaluateReal(std::string_view text);
  std::string EvaluateString(std::string_view text);

  // Enters one prototype line ("procedure Name(A,B:Integer);Index $0001;").
  void DeclareRoutine(std::string_view line, bool permanent);

  // A new variable, constant or host property; DuplicateVariableError when the
  // name is taken. Permanent entries stay for the interpreter's life.
  VariableEntry& AddVariable(std::string_view name, ValueType type, bool read_only,
                             bool permanent = true, bool host_bound = false,
                             std::int32_t property_id = 0);
  // Null when the name is taken by a procedure or function.
  RoutineEntry* AddRoutine(std::unique_ptr<RoutineEntry> routine);

  SymbolTables& tables() { return state_.tables; }
  const SymbolTables& tables() const { return state_.tables; }
  VariableEntry* FindVariable(std::string_view name) const {
    return state_.tables.FindVariable(name);
  }

  // Changing a value from the host. Refused (BusyError) while an expression
  // or call is being evaluated, because evaluation holds views of values.
  void SetInteger(VariableEntry& entry, std::int64_t value);
  void SetReal(VariableEntry& entry, double value);
  void SetString(VariableEntry& entry, std::string_view value);

  RunFlags& flags() { return state_.flags; }
  const RunFlags& flags() const { return state_.flags; }
  bool running() const { return state_.flags.Running; }
  // Ends the run quietly before its next statement or loop pass.
  void RequestStop() { state_.flags.StopRequested = true; }

  // Statements and statement lists executed in the current run (loop passes
  // count through their bodies). With a limit other than 0, exceeding it ends
  // the run with StepLimitError.
  void set_step_limit(std::uint64_t limit) { state_.step_limit = limit; }
  std::uint64_t step_limit() const { return state_.step_limit; }
  std::uint64_t steps() const { return state_.steps; }

  // Bounds the length of String values that expressions build (0: none);
  // a longer one ends the run with StringLimitError.
  void set_string_limit(std::size_t bytes) { state_.string_limit = bytes; }

  // Numbers the External routines registered in the current run.
  std::int32_t& routine_counter() { return state_.routine_counter; }

 private:
  void Run(std::string_view source, const std::vector<std::string>& prototypes);
  void ReadVarSection(Cursor& c);
  void CheckIdle() const;

  MacroState state_;
  MacroHost default_host_;
  std::unique_ptr<Evaluator> evaluator_;
  std::unique_ptr<Executor> executor_;
};

// DeclareRoutine on a bare set of tables.
void DeclareRoutine(SymbolTables& tables, std::string_view line, bool permanent);

}  // namespace qy
