// TPoorPascal: the macro interpreter as a component that a host owns. The host
// fills its lists (Define, Source, DeclarePrototype), enters its variables and
// properties, answers the events and starts runs with Execute. The component
// supplies the constants True, False and Nil and the 34 built-in routines
// (text, conversions, dialogs, programs, Pause and calls into shared
// libraries through RegisterRoutine).
//
// Single-threaded: everything, events included, runs on the thread that
// calls Execute. Not re-entrant: Execute refuses a run inside a run.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "macro/interpreter.h"
#include "macro/macro_error.h"
#include "macro/macro_host.h"
#include "macro/symbols.h"

namespace qy {

class ProcessRunner;

// The evaluated arguments of a host routine call, in parameter order. Valid
// only during the event it is passed to.
class MacroArguments {
 public:
  MacroArguments(const RoutineEntry& routine, const CallFrame& frame)
      : routine_(routine), frame_(frame) {}

  std::size_t size() const { return routine_.Parameters.size(); }
  const std::string& Name(std::size_t i) const { return routine_.Parameters[i].Name; }
  ValueType Type(std::size_t i) const { return routine_.Parameters[i].Type; }
  // The slot of the parameter's type holds the value: Integer (and
  // LongInteger) in Integer, Real in Real, String in String.
  std::int64_t Integer(std::size_t i) const { return frame_.Args[i].Int; }
  double Real(std::size_t i) const { return frame_.Args[i].Real; }
  std::string_view String(std::size_t i) const { return frame_.Args[i].Str; }

 private:
  const RoutineEntry& routine_;
  const CallFrame& frame_;
};

// The modal dialogs of the built-ins MessageBox and InputBox. Texts are
// Shift-JIS. src/macro/builtins_dialogs.h adapts a Prompter.
class MacroDialogs {
 public:
  virtual ~MacroDialogs() = default;
  // `flags` are the Windows message-box style bits (MB_OKCANCEL,
  // MB_ICONQUESTION, ...); returns the Windows code of the button pressed
  // (IDOK 1, IDCANCEL 2, IDABORT 3, IDRETRY 4, IDIGNORE 5, IDYES 6, IDNO 7),
  // 0 when no box could be shown.
  virtual int MessageBox(const std::string& text, const std::string& caption,
                         std::uint32_t flags) = 0;
  // The entered text on OK, nullopt on Cancel.
  virtual std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                              const std::string& default_value) = 0;
};

// GS_Mode of the property events.
inline constexpr std::uint8_t kPropertyRead = 0;
inline constexpr std::uint8_t kPropertyWrite = 1;

// Event types. Err_CD starts at 0; a handler that leaves it non-zero after a
// routine call or a property read ends the run with the message ErrorProc
// gives for it. A handler may also end the run by throwing MacroError.
using TProcParam = std::function<void(const std::string& ProcName, std::int32_t Index,
                                      const MacroArguments& Argument, std::int32_t& Err_CD)>;
using TIntFuncParam = std::function<void(const std::string& FuncName, std::int32_t Index,
                                         const MacroArguments& Argument, std::int32_t& Err_CD,
                                         std::int64_t& ResultValue)>;
using TRealFuncParam =
    std::function<void(const std::string& FuncName, std::int32_t Index,
                       const MacroArguments& Argument, std::int32_t& Err_CD, double& ResultValue)>;
using TStrFuncParam = std::function<void(const std::string& FuncName, std::int32_t Index,
                                         const MacroArguments& Argument, std::int32_t& Err_CD,
                                         std::string& ResultValue)>;
using TErrorProc = std::function<void(std::int32_t Error_CD, std::string& Err_Message)>;
using TIntObjParam =
    std::function<void(const std::string& ObjName, std::int32_t Index, std::uint8_t GS_Mode,
                       std::int32_t& Err_CD, std::int64_t& Value)>;
using TRealObjParam =
    std::function<void(const std::string& ObjName, std::int32_t Index, std::uint8_t GS_Mode,
                       std::int32_t& Err_CD, double& Value)>;
using TStrObjParam =
    std::function<void(const std::string& ObjName, std::int32_t Index, std::uint8_t GS_Mode,
                       std::int32_t& Err_CD, std::string& Value)>;
using TPauseProc = std::function<void()>;

class TPoorPascal {
 public:
  TPoorPascal();
  ~TPoorPascal();
  TPoorPascal(const TPoorPascal&) = delete;
  TPoorPascal& operator=(const TPoorPascal&) = delete;

  // ---- Lists (assigning copies the lines) ----------------------------------

  // Symbols IsDefine answers -1 for (compared ASCII case-insensitively).
  const std::vector<std::string>& Define() const { return define_; }
  void SetDefine(std::vector<std::string> lines) { define_ = std::move(lines); }

  // The program text Execute runs.
  const std::string& Source() const { return source_; }
  void SetSource(std::string_view text) { source_ = std::string(text); }
  // Lines joined with CR LF.
  void SetSource(const std::vector<std::string>& lines);

  // Prototype lines of the host's routines, entered afresh at the start of
  // every run; a malformed line ends that run with its declaration error.
  const std::vector<std::string>& DeclarePrototype() const { return prototypes_; }
  void SetDeclarePrototype(std::vector<std::string> lines) { prototypes_ = std::move(lines); }
  void AddPrototype(std::string_view line) { prototypes_.emplace_back(line); }

  // ---- Events -------------------------------------------------------------

  TProcParam ProcParam;
  TIntFuncParam IntFuncParam;
  TRealFuncParam RealFuncParam;
  TStrFuncParam StrFuncParam;
  TErrorProc ErrorProc;
  TIntObjParam IntObjParam;
  TRealObjParam RealObjParam;
  TStrObjParam StrObjParam;
  TPauseProc PauseProc;

  // ---- Host values (Permanent; a name in use raises the duplicate error) ----

  VariableEntry& AddIntegerVariable(std::string_view name, bool read_only, std::int64_t value);
  VariableEntry& AddIntegerProperty(std::string_view name, bool read_only, std::int32_t property_id,
                                    std::int64_t value);
  VariableEntry& AddStringVariable(std::string_view name, std::string_view value, bool read_only);
  VariableEntry& AddStringProperty(std::string_view name, std::string_view value,
                                   std::int32_t property_id, bool read_only);

  // ---- Runs -----------------------------------------------------------------

  // Runs Source. Any error ends the run and passes out as MacroError
  // (message in Shift-JIS); a stop request ends it quietly.
  void Execute();
  bool Running() const { return interpreter_.running(); }

  // Ends the run before its next statement or loop pass; a paused run ends
  // too. Without a run it has no effect (every run starts unstopped).
  void Stop();
  bool StopRequested() const { return interpreter_.flags().StopRequested; }
  // Lets a run waiting in Pause go on with its next statement.
  void Resume();
  bool Paused() const { return interpreter_.flags().Paused; }

  // Statements and statement lists executed in the current (or last) run; with
  // a limit other than 0 a run exceeding it ends with an error.
  void set_step_limit(std::uint64_t limit) { interpreter_.set_step_limit(limit); }
  std::uint64_t step_limit() const { return interpreter_.step_limit(); }
  std::uint64_t steps() const { return interpreter_.steps(); }
  // Longest String value a run may build, in bytes (0: no bound); starts at
  // kHostStringLimit.
  void set_string_limit(std::size_t bytes) { interpreter_.set_string_limit(bytes); }

  // ---- Platform -------------------------------------------------------------

  // The host's message pump. It runs at the start of statement lists (at most
  // once per pump interval, 10 ms unless set), on every ProcessMessages, and
  // once per interval while a run is paused (Pause waits until Resume or Stop
  // is called, from the pump or from PauseProc). Without a pump a Pause that
  // PauseProc does not settle returns at once, since nothing could ever
  // resume it.
  std::function<void()> on_process_messages;
  // How Sleep waits; tests replace it so no test waits on the clock.
  std::function<void(std::chrono::milliseconds)> sleep = [](std::chrono::milliseconds ms) {
    std::this_thread::sleep_for(ms);
  };
  void set_pump_interval(std::chrono::milliseconds interval) { pump_interval_ = interval; }

  // Exec and Shell; without a runner Exec gives 0 and Shell 0.
  void set_process_runner(ProcessRunner* runner) { runner_ = runner; }
  // MessageBox and InputBox; without dialogs MessageBox gives 0 and InputBox
  // its default text.
  void set_dialogs(MacroDialogs* dialogs) { dialogs_ = dialogs; }

  // The engine itself: symbol tables, ExecuteStatements, Evaluate*.
  Interpreter& interpreter() { return interpreter_; }
  const Interpreter& interpreter() const { return interpreter_; }

 private:
  class Host;
  friend class Host;

  void PumpThrottled();
  void RunPause();
  void CallHostRoutine(CallFrame& frame);
  [[noreturn]] void FailWith(std::int32_t err_cd);
  bool CallSystemBuiltin(CallFrame& frame);

  std::vector<std::string> define_;
  std::string source_;
  std::vector<std::string> prototypes_;
  ProcessRunner* runner_ = nullptr;
  MacroDialogs* dialogs_ = nullptr;
  std::chrono::milliseconds pump_interval_{10};
  std::chrono::steady_clock::time_point last_pump_{};
  std::uint32_t list_counter_ = 0;
  std::unique_ptr<Host> host_;
  Interpreter interpreter_;
};

}  // namespace qy
