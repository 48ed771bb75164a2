// A scripted MacroHost for the interpreter tests: a few built-ins by index,
// recorded host routine calls and properties served from maps.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "macro/interpreter.h"
#include "macro/macro_host.h"

namespace qy::testing {

class FakeMacroHost : public MacroHost {
 public:
  struct Call {
    std::string name;
    std::vector<std::string> args;  // each argument as text (Int, Real or Str slot)
  };

  // Declares the built-ins this fake implements, as the component would.
  static void DeclareBuiltins(Interpreter& interpreter);

  void StatementListStarting(Interpreter& interpreter) override;
  bool CallBuiltin(Interpreter& interpreter, CallFrame& frame) override;
  void CallRoutine(Interpreter& interpreter, CallFrame& frame) override;
  void ReadIntegerProperty(Interpreter&, const VariableEntry& entry, std::int64_t& value) override;
  void ReadStringProperty(Interpreter&, const VariableEntry& entry, std::string& value) override;
  void PropertyAssigned(Interpreter&, const VariableEntry& entry) override;

  // Called at each statement list start when set (to stop or inspect a run).
  std::function<void(Interpreter&)> on_list;
  std::vector<Call> calls;
  std::map<std::string, std::int64_t> int_results;  // host function name -> result
  std::map<std::string, std::string> str_results;
  std::map<std::string, std::int64_t> int_properties;  // property name -> host value
  std::map<std::string, std::string> str_properties;
  std::vector<std::string> assigned;  // "NAME=value" for each write
  std::string fail_property;          // reading it fails with a host message
};

}  // namespace qy::testing
