// The commands that turn the project into a help file and report on it:
// make help, make the intermediate files, the make wizard's run, the help
// compiler's run with its pause and its log, the one-page preview compile,
// deleting and viewing the generated files, and help on a compiler code.
#pragma once

#include <chrono>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "build/compiler_command.h"
#include "build/compiler_log.h"
#include "build/compress_line.h"
#include "build/make_wizard.h"
#include "core/platform.h"
#include "core/progress.h"
#include "core/prompter.h"
#include "core/settings.h"
#include "project/project_model.h"

namespace qy {

enum class IntermediateFile { kContents, kHelpProject, kTopics, kMapHeader, kErrorLog };

// The extension the build writes the file under: ".cnt", ".hpj", ".rtf",
// ".hh", ".err".
const char* IntermediateExtension(IntermediateFile file);

// Names of the program's own help files beside it.
inline constexpr char kCompilerCodeListName[] = "quillory.hcl";
inline constexpr char kCompilerCodeHelpName[] = "Helphc.hlp";

struct BuildReport {
  enum class Outcome {
    kBusy,           // another build is still running
    kWriteFailed,    // a generated file could not be written (reported)
    kSkipped,        // files written; the compiler is not hcrtf.exe
    kNotStarted,     // the compiler could not be started (reported)
    kLogUnreadable,  // the compiler ran but its log could not be read (reported)
    kAnalysed,       // the log was read; see `verdict`
  };
  Outcome outcome = Outcome::kSkipped;
  std::vector<DebugEntry> entries;
  LogVerdict verdict;

  // A help file was made without errors.
  bool Succeeded() const { return outcome == Outcome::kAnalysed && !verdict.failed; }
};

// Time for the compiler pause; tests replace it.
struct WaitClock {
  std::function<std::chrono::steady_clock::time_point()> now = [] {
    return std::chrono::steady_clock::now();
  };
  std::function<void(std::chrono::microseconds)> sleep;  // empty: the thread sleeps
};

class BuildCommands {
 public:
  BuildCommands(ProjectModel& project, Settings& settings, Prompter& prompter, Progress& progress,
                ProcessRunner& runner, HelpViewer& viewer, DebugView& debug_view);

  // Saves the project (ProjectDocument::SaveProject); unset: no save.
  std::function<bool()> save_project;
  // Disables (false) and enables (true) the main window.
  std::function<void(bool)> enable_window;
  // How a Windows compiler run through wine sees the help project's path
  // (WineWindowsPath of the platform); unset: the path as it is.
  WindowsPathFn windows_path;
  WaitClock clock;
  HostSystem host;
  // Where the code list and the compiler-code help file lie (with '/').
  std::string program_folder;

  // The four files, the pause, the compiler and its log. Saves first when
  // Option/MakeSave is "True".
  BuildReport MakeHelp();
  // The four files only. False when one could not be written.
  bool MakeIntermediateFiles();
  // The wizard's OK: stores the choices, saves when asked, then builds with
  // the files the choices leave in.
  BuildReport MakeHelpWithWizard(const MakeWizardChoices& chosen, const MakeWizardChoices& opened);

  // The pause before the compiler starts: at most Compile/ReadyTime
  // milliseconds over Compile/ReadyNum progress steps, in short sleeps, with
  // the window's messages processed meanwhile.
  void CompilerWait();
  // Runs the configured compiler on the project's help project and reads
  // its log; nothing happens unless the compiler is hcrtf.exe.
  BuildReport RunCompiler();
  // Reads `help_project` with ".err" into the debug view and acts on the
  // verdict: shows or hides the view, shows the message, opens the help file.
  // With `run_started` a log without errors still fails when no help file
  // was written since that moment.
  BuildReport AnalyseCompilerLog(
      bool show_help, const std::string& help_project,
      std::optional<std::chrono::system_clock::time_point> run_started = std::nullopt);
  // Compiles the one-page preview files `folder` + `base_name` (.hpj, .rtf),
  // shows the result at context 1 in the project's main window and deletes
  // the two files whatever happens. False, with the reason shown, when
  // nothing was shown.
  bool RunPreviewCompiler(const std::string& folder, const std::string& base_name);

  // Deletes .hpj, .rtf, .hh and .err and shows (and returns) the report. A
  // project file that carries one of these names is never deleted.
  std::string DeleteIntermediateFiles();
  // The text editor (Etcetera/TextEditor with ComLine1) on a generated file.
  bool OpenIntermediateFile(IntermediateFile file);
  // Help Workshop on the help project or the contents file.
  bool OpenInHelpWorkshop(IntermediateFile file);
  // The help file at its contents.
  bool ShowHelpFile();
  // Help on a compiler code: the compiler-code help file when the code list
  // names the code, Help Workshop's help otherwise. An empty code (no row
  // selected) does nothing.
  void ShowCompilerCodeHelp(const std::string& code);
  // "HCWのヘルプ(&W)": Help Workshop's help on the code.
  void ShowWorkshopCodeHelp(const std::string& code);

  bool busy() const { return busy_; }

 private:
  struct Step {
    const char* status;  // UTF-8 status text
    std::function<FileResult()> write;
  };
  // Shows each status text, lets it be painted and writes; reports and
  // stops at the first failure.
  // Generated files are named after the project; a project file that
  // carries one of those names must not be replaced. Reports and returns
  // true when one of `extensions` names the project file itself.
  bool RefuseProjectFile(std::initializer_list<const char*> extensions);
  bool RunSteps(const std::vector<Step>& steps);
  std::vector<Step> AllWriteSteps();
  void ShowStatus(const char* status);
  void EndProgress();
  BuildReport CompileAfterWriting();
  void Sleep(std::chrono::microseconds duration);

  ProjectModel& project_;
  Settings& settings_;
  Prompter& prompter_;
  Progress& progress_;
  ProcessRunner& runner_;
  HelpViewer& viewer_;
  DebugView& debug_view_;
  bool busy_ = false;
  // Footnote fields the topic file had to escape, shown with the compiler's notes.
  std::vector<DebugEntry> field_notes_;
};

// "\r\nヘルプコンパイラの起動に失敗しました。"
std::string CompilerStartFailedMessage();

}  // namespace qy
