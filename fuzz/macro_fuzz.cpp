// Runs arbitrary text as a macro program. Every failure must surface as a
// MacroError; the step and string bounds keep endless or exploding programs
// short.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "macro/interpreter.h"
#include "macro/macro_error.h"
#include "macro/run_limits.h"

namespace {

// A few built-ins by index and quiet host routines and properties, enough to
// reach calls, conversions and host-bound values.
class FuzzHost : public qy::MacroHost {
 public:
  bool CallBuiltin(qy::Interpreter&, qy::CallFrame& f) override {
    switch (f.Routine->Index) {
      case 0x1005:  // IntToStr
        f.StrResult = std::to_string(f.Args[0].Int);
        return true;
      case 0x1001: {  // Copy
        std::string_view s = f.Args[0].Str;
        std::int64_t start = f.Args[1].Int < 1 ? 1 : f.Args[1].Int;
        std::int64_t count = f.Args[2].Int < 0 ? 0 : f.Args[2].Int;
        if (start <= static_cast<std::int64_t>(s.size())) {
          f.StrResult = std::string(
              s.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
        }
        return true;
      }
      case 0x2003:  // Length
        f.IntResult = static_cast<std::int64_t>(f.Args[0].Str.size());
        return true;
      case 0x3002:  // Int
        f.RealResult = f.Args[0].Real;
        return true;
      default:
        return false;
    }
  }
  void ReadIntegerProperty(qy::Interpreter&, const qy::VariableEntry&, std::int64_t& v) override {
    v += 1;
  }
};

qy::Interpreter& Instance() {
  static FuzzHost host;
  static qy::Interpreter* interpreter = [] {
    auto* in = new qy::Interpreter(&host);
    for (const char* line : {
             "procedure ProcessMessages;Index $0001;",
             "function Copy(S:String;Start,Length:Integer):String;Index $1001;",
             "function IntToStr(Value:Integer):String;Index $1005;",
             "function Length(S:String):Integer;Index $2003;",
             "function PtrToInt(p:Integer):Integer;Index $200F;",
             "function Int(X:Real):Real;Index $3002;",
         }) {
      in->DeclareRoutine(line, true);
    }
    in->AddVariable("True", qy::ValueType::kInteger, true).IntValue = -1;
    in->AddVariable("False", qy::ValueType::kInteger, true);
    in->AddVariable("Nil", qy::ValueType::kString, true);
    in->AddVariable("PageNo", qy::ValueType::kInteger, false, true, true, 1);
    in->AddVariable("Title", qy::ValueType::kString, false, true, true, 2);
    in->set_step_limit(20000);
    in->set_string_limit(qy::kHostStringLimit);
    return in;
  }();
  return *interpreter;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qy::Interpreter& in = Instance();
  std::string_view text(reinterpret_cast<const char*>(data), size);
  // The first byte picks what the rest of the input is.
  unsigned char mode = size > 0 ? data[0] % 4 : 0;
  if (size > 0) text.remove_prefix(1);
  static const std::vector<std::string> kPrototypes = {"procedure Show(A:Integer;B:String;C:Real);",
                                                       "function Ask(P:String):String;",
                                                       "function Count:Integer;"};
  try {
    switch (mode) {
      case 0:
        in.Execute(text, kPrototypes);
        break;
      case 1:
        in.EvaluateInteger(text);
        break;
      case 2:
        in.EvaluateReal(text);
        break;
      default:
        in.EvaluateString(text);
        // A prototype line from the same text.
        in.DeclareRoutine(text, false);
        break;
    }
  } catch (const qy::MacroError&) {
  }
  return 0;
}
