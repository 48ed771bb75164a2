#include "fake_macro_host.h"

#include "core/codec.h"
#include "macro/macro_error.h"

namespace qy::testing {

namespace {

std::string ArgText(const RoutineEntry& r, const CallFrame& frame, std::size_t i) {
  switch (r.Parameters[i].Type) {
    case ValueType::kReal:
      return std::to_string(frame.Args[i].Real);
    case ValueType::kString:
      return std::string(frame.Args[i].Str);
    default:
      return std::to_string(frame.Args[i].Int);
  }
}

}  // namespace

void FakeMacroHost::DeclareBuiltins(Interpreter& interpreter) {
  for (const char* line : {
           "procedure ProcessMessages;Index $0001;",
           "function Copy(S:String;Start,Length:Integer):String;Index $1001;",
           "function IntToStr(Value:Integer):String;Index $1005;",
           "function Length(S:String):Integer;Index $2003;",
           "function PtrToInt(p:Integer):Integer;Index $200F;",
           "procedure Nothing;Index $0009;",
       }) {
    interpreter.DeclareRoutine(line, true);
  }
}

void FakeMacroHost::StatementListStarting(Interpreter& interpreter) {
  if (on_list) on_list(interpreter);
}

bool FakeMacroHost::CallBuiltin(Interpreter&, CallFrame& f) {
  switch (f.Routine->Index) {
    case 0x0001:
      return true;
    case 0x1001: {
      std::string_view s = f.Args[0].Str;
      std::int64_t start = std::max<std::int64_t>(f.Args[1].Int, 1);
      std::int64_t count = std::max<std::int64_t>(f.Args[2].Int, 0);
      if (start > static_cast<std::int64_t>(s.size())) return true;
      f.StrResult = std::string(
          s.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
      return true;
    }
    case 0x1005:
      f.StrResult = std::to_string(f.Args[0].Int);
      return true;
    case 0x2003:
      f.IntResult = static_cast<std::int64_t>(f.Args[0].Str.size());
      return true;
    default:
      return false;
  }
}

void FakeMacroHost::CallRoutine(Interpreter&, CallFrame& f) {
  Call call{f.Routine->Name, {}};
  for (std::size_t i = 0; i < f.Args.size(); ++i) call.args.push_back(ArgText(*f.Routine, f, i));
  calls.push_back(std::move(call));
  if (auto it = int_results.find(f.Routine->Name); it != int_results.end()) {
    f.IntResult = it->second;
  }
  if (auto it = str_results.find(f.Routine->Name); it != str_results.end()) {
    f.StrResult = it->second;
  }
}

void FakeMacroHost::ReadIntegerProperty(Interpreter&, const VariableEntry& entry,
                                        std::int64_t& value) {
  if (entry.Name == fail_property) throw HostError(Sjis("ページがありません"));
  if (auto it = int_properties.find(entry.Name); it != int_properties.end()) value = it->second;
}

void FakeMacroHost::ReadStringProperty(Interpreter&, const VariableEntry& entry,
                                       std::string& value) {
  if (entry.Name == fail_property) throw HostError(Sjis("ページがありません"));
  if (auto it = str_properties.find(entry.Name); it != str_properties.end()) value = it->second;
}

void FakeMacroHost::PropertyAssigned(Interpreter&, const VariableEntry& entry) {
  std::string value =
      entry.Type == ValueType::kString ? entry.StrValue : std::to_string(entry.IntValue);
  assigned.push_back(entry.Name + "=" + value);
}

}  // namespace qy::testing
