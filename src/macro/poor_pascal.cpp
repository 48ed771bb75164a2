#include "macro/poor_pascal.h"

#include <thread>

#include "core/codec.h"
#include "macro/builtins.h"
#include "macro/builtins_system.h"
#include "macro/external_call.h"
#include "macro/run_limits.h"
#include "macro/value_convert.h"

namespace qy {

namespace {

// Statement lists between two looks at the clock: a loop starts millions of
// them, and the clock costs more than the counter.
constexpr std::uint32_t kListsPerClockCheck = 64;

}  // namespace

// The interpreter's hooks, answered by the component.
class TPoorPascal::Host : public MacroHost {
 public:
  explicit Host(TPoorPascal& owner) : owner_(owner) {}

  void StatementListStarting(Interpreter&) override { owner_.PumpThrottled(); }

  bool CallBuiltin(Interpreter&, CallFrame& frame) override {
    return CallValueBuiltin(frame, owner_.define_) || owner_.CallSystemBuiltin(frame);
  }

  void CallRoutine(Interpreter&, CallFrame& frame) override {
    if (frame.Routine->External) {
      // A missing library or routine gives the preset 0, 0.0 or ''.
      CallExternalRoutine(frame);
    } else {
      owner_.CallHostRoutine(frame);
    }
  }

  void ReadIntegerProperty(Interpreter&, const VariableEntry& v, std::int64_t& value) override {
    Read(owner_.IntObjParam, v, value);
  }
  void ReadRealProperty(Interpreter&, const VariableEntry& v, double& value) override {
    Read(owner_.RealObjParam, v, value);
  }
  void ReadStringProperty(Interpreter&, const VariableEntry& v, std::string& value) override {
    Read(owner_.StrObjParam, v, value);
  }

  // The handler's answer to a write is not looked at: a failed write is
  // ignored, and the value stays as stored.
  void PropertyAssigned(Interpreter&, const VariableEntry& v) override {
    std::int32_t err = 0;
    switch (v.Type) {
      case ValueType::kReal:
        if (owner_.RealObjParam) {
          double value = v.RealValue;
          owner_.RealObjParam(v.Name, v.PropertyId, kPropertyWrite, err, value);
        }
        break;
      case ValueType::kString:
        if (owner_.StrObjParam) {
          std::string value = v.StrValue;
          owner_.StrObjParam(v.Name, v.PropertyId, kPropertyWrite, err, value);
        }
        break;
      default:
        if (owner_.IntObjParam) {
          std::int64_t value = v.IntValue;
          owner_.IntObjParam(v.Name, v.PropertyId, kPropertyWrite, err, value);
        }
        break;
    }
  }

 private:
  template <typename Event, typename Value>
  void Read(const Event& event, const VariableEntry& v, Value& value) {
    if (!event) return;
    std::int32_t err = 0;
    event(v.Name, v.PropertyId, kPropertyRead, err, value);
    if (err != 0) owner_.FailWith(err);
  }

  TPoorPascal& owner_;
};

TPoorPascal::TPoorPascal() : host_(std::make_unique<Host>(*this)), interpreter_(host_.get()) {
  AddIntegerVariable("True", true, -1);
  AddIntegerVariable("False", true, 0);
  AddStringVariable("Nil", "", true);
  for (const char* line : kBuiltinPrototypes) interpreter_.DeclareRoutine(line, true);
  // Every program's component starts bounded; a host may widen it.
  interpreter_.set_string_limit(kHostStringLimit);
}

TPoorPascal::~TPoorPascal() = default;

void TPoorPascal::SetSource(const std::vector<std::string>& lines) {
  source_.clear();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) source_ += "\r\n";
    source_ += lines[i];
  }
}

VariableEntry& TPoorPascal::AddIntegerVariable(std::string_view name, bool read_only,
                                               std::int64_t value) {
  VariableEntry& v = interpreter_.AddVariable(name, ValueType::kInteger, read_only);
  v.IntValue = value;
  return v;
}

VariableEntry& TPoorPascal::AddIntegerProperty(std::string_view name, bool read_only,
                                               std::int32_t property_id, std::int64_t value) {
  VariableEntry& v =
      interpreter_.AddVariable(name, ValueType::kInteger, read_only, true, true, property_id);
  v.IntValue = value;
  return v;
}

VariableEntry& TPoorPascal::AddStringVariable(std::string_view name, std::string_view value,
                                              bool read_only) {
  VariableEntry& v = interpreter_.AddVariable(name, ValueType::kString, read_only);
  interpreter_.SetString(v, value);
  return v;
}

VariableEntry& TPoorPascal::AddStringProperty(std::string_view name, std::string_view value,
                                              std::int32_t property_id, bool read_only) {
  VariableEntry& v =
      interpreter_.AddVariable(name, ValueType::kString, read_only, true, true, property_id);
  interpreter_.SetString(v, value);
  return v;
}

void TPoorPascal::Execute() {
  list_counter_ = 0;
  last_pump_ = std::chrono::steady_clock::now();
  interpreter_.Execute(source_, prototypes_);
}

void TPoorPascal::Stop() {
  interpreter_.RequestStop();
  interpreter_.flags().Paused = false;
}

void TPoorPascal::Resume() { interpreter_.flags().Paused = false; }

void TPoorPascal::PumpThrottled() {
  if (++list_counter_ % kListsPerClockCheck != 0 || !on_process_messages) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - last_pump_ < pump_interval_) return;
  last_pump_ = now;
  on_process_messages();
}

void TPoorPascal::RunPause() {
  RunFlags& flags = interpreter_.flags();
  flags.Paused = true;
  if (PauseProc) PauseProc();
  while (flags.Paused && !flags.StopRequested) {
    // Without a pump nothing could ever resume the run.
    if (!on_process_messages) break;
    on_process_messages();
    if (flags.Paused && !flags.StopRequested) std::this_thread::sleep_for(pump_interval_);
  }
  flags.Paused = false;
  last_pump_ = std::chrono::steady_clock::now();
}

void TPoorPascal::CallHostRoutine(CallFrame& frame) {
  const RoutineEntry& r = *frame.Routine;
  const MacroArguments args(r, frame);
  std::int32_t err = 0;
  if (!r.IsFunction) {
    if (ProcParam) ProcParam(r.Name, r.Index, args, err);
  } else if (r.ResultType == ValueType::kReal) {
    if (RealFuncParam) RealFuncParam(r.Name, r.Index, args, err, frame.RealResult);
  } else if (r.ResultType == ValueType::kString) {
    if (StrFuncParam) StrFuncParam(r.Name, r.Index, args, err, frame.StrResult);
  } else {
    if (IntFuncParam) IntFuncParam(r.Name, r.Index, args, err, frame.IntResult);
  }
  if (err != 0) FailWith(err);
}

void TPoorPascal::FailWith(std::int32_t err_cd) {
  std::string message;
  if (ErrorProc) ErrorProc(err_cd, message);
  // A failure must never end the run without a word.
  if (message.empty()) message = Sjis("ユーザー定義手続き/関数の内部エラーです");
  throw HostError(std::move(message));
}

bool TPoorPascal::CallSystemBuiltin(CallFrame& f) {
  const auto& a = f.Args;
  switch (f.Routine->Index) {
    case builtin::kProcessMessages:
      if (on_process_messages) {
        last_pump_ = std::chrono::steady_clock::now();
        on_process_messages();
      }
      return true;
    case builtin::kSleep: {
      // Only positive counts: the Windows reading of -1 is "for ever",
      // which would leave no way out of the run.
      const std::int32_t ms = Low32(a[0].Int);
      if (ms > 0 && sleep) sleep(std::chrono::milliseconds(ms));
      return true;
    }
    case builtin::kPause:
      RunPause();
      return true;
    case builtin::kInputBox: {
      const std::string caption(a[0].Str), prompt(a[1].Str), initial(a[2].Str);
      std::optional<std::string> entered;
      if (dialogs_) entered = dialogs_->InputBox(caption, prompt, initial);
      f.StrResult = entered ? std::move(*entered) : initial;
      return true;
    }
    case builtin::kExec:
      f.IntResult = ExecProgram(runner_, a[0].Str, a[1].Str, a[2].Int);
      return true;
    case builtin::kMessageBox:
      f.IntResult = dialogs_ ? dialogs_->MessageBox(std::string(a[0].Str), std::string(a[1].Str),
                                                    static_cast<std::uint32_t>(a[2].Int))
                             : 0;
      return true;
    case builtin::kShell:
      f.IntResult = ShellOpenCode(runner_, a[0].Str, a[1].Str);
      return true;
    case builtin::kRegisterRoutine:
      f.IntResult =
          RegisterExternalRoutine(interpreter_, a[0].Str, a[1].Str, a[2].Str, a[3].Str) ? -1 : 0;
      return true;
    default:
      return false;
  }
}

}  // namespace qy
