#include "build/build_commands.h"

#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <thread>

#include "build/build_output.h"
#include "build/build_settings.h"
#include "build/map_header_writer.h"
#include "build/preview_help_project_writer.h"
#include "build/project_options.h"
#include "build/topic_writer.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/native_path.h"
#include "core/settings_keys.h"

namespace qy {

namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

// Pause slices stay between these, so the pause neither spins nor lags.
constexpr microseconds kShortestSlice{100};
constexpr microseconds kLongestSlice{10000};
constexpr milliseconds kPumpInterval{10};

class BusyGuard {
 public:
  explicit BusyGuard(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyGuard() { busy_ = false; }
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;

 private:
  bool& busy_;
};

std::string WriteFailedMessage(const FileResult& result) {
  return "\r\n" + Sjis("ファイルを書き込めませんでした。") + "\r\n\r\n" + PathToSjis(result.error);
}

std::string LogUnreadableMessage(const std::string& path, const std::string& reason) {
  return "\r\n" + Sjis("ファイル \"") + PathToSjis(path) + Sjis("\" を読み込めませんでした。") +
         "\r\n\r\n" + Sjis("理由 : ") + reason;
}

DebugOptions ReadDebugOptions(const Settings& s) {
  DebugOptions o;
  o.debug_auto = s.GetBool(keys::kDebugDebugAuto);
  o.auto_note = s.GetBool(keys::kDebugAutoNote);
  o.auto_warn = s.GetBool(keys::kDebugAutoWarn);
  o.show_note = s.GetBool(keys::kDebugShowNote);
  o.show_warn = s.GetBool(keys::kDebugShowWarn);
  return o;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string ProjectFileGuardMessage(const std::string& path) {
  return "\r\n\"" + PathToSjis(path) + "\"" + Sjis(" はプロジェクトファイルそのものです。") +
         "\r\n\r\n" + Sjis("プロジェクトファイルを上書きしたり削除したりしないよう、") + "\r\n" +
         Sjis("処理を中止しました。プロジェクトファイルの名前を変えてください。");
}

std::string NoHelpFileMessage(const std::string& path) {
  return "\r\n" + Sjis("ヘルプファイル \"") + PathToSjis(path) +
         Sjis("\" は作成されませんでした。") + "\r\n\r\n" +
         Sjis("ヘルプファイルの作成に失敗しました。");
}

std::string NotHelpCompilerMessage(const std::string& compiler) {
  return "\r\n" + Sjis("ヘルプコンパイラ \"") + PathToSjis(compiler) +
         Sjis("\" は hcrtf.exe ではないため、プレビューできません。");
}

// The help compiler needs the project's full path, whatever folder the
// program runs in.
std::string FullPath(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(path, ec);
  return ec ? path : full.string();
}

// The time a run starts, by the clock the file system stamps files with:
// a file written after this moment never carries an earlier time.
std::chrono::system_clock::time_point FileClockNow() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
  return std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(
          std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec)));
}

bool WrittenSince(const std::string& path, std::chrono::system_clock::time_point since) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  const auto written = std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(
          std::chrono::seconds(st.st_mtim.tv_sec) + std::chrono::nanoseconds(st.st_mtim.tv_nsec)));
  return written >= since;
}

}  // namespace

std::string CompilerStartFailedMessage() {
  return "\r\n" + Sjis("ヘルプコンパイラの起動に失敗しました。");
}

const char* IntermediateExtension(IntermediateFile file) {
  switch (file) {
    case IntermediateFile::kContents:
      return ".cnt";
    case IntermediateFile::kHelpProject:
      return ".hpj";
    case IntermediateFile::kTopics:
      return ".rtf";
    case IntermediateFile::kMapHeader:
      return ".hh";
    case IntermediateFile::kErrorLog:
      break;
  }
  return ".err";
}

BuildCommands::BuildCommands(ProjectModel& project, Settings& settings, Prompter& prompter,
                             Progress& progress, ProcessRunner& runner, HelpViewer& viewer,
                             DebugView& debug_view)
    : program_folder(settings.environment().program_folder),
      project_(project),
      settings_(settings),
      prompter_(prompter),
      progress_(progress),
      runner_(runner),
      viewer_(viewer),
      debug_view_(debug_view) {}

void BuildCommands::ShowStatus(const char* status) {
  progress_.SetStatusText(1, Sjis(status));
  progress_.Pump();
}

void BuildCommands::EndProgress() {
  progress_.Hide();
  progress_.SetStatusText(1, "");
}

bool BuildCommands::RefuseProjectFile(std::initializer_list<const char*> extensions) {
  for (const char* ext : extensions) {
    const std::string path = BuildFilePath(project_, ext);
    if (!SameFile(path, project_.ProjectFileName())) continue;
    EndProgress();
    prompter_.Error(ProjectFileGuardMessage(path));
    return true;
  }
  return false;
}

bool BuildCommands::RunSteps(const std::vector<Step>& steps) {
  if (RefuseProjectFile({".hpj", ".cnt", ".hh", ".rtf"})) return false;
  for (const auto& step : steps) {
    ShowStatus(step.status);
    if (FileResult written = step.write(); !written) {
      EndProgress();
      prompter_.Error(WriteFailedMessage(written));
      return false;
    }
  }
  return true;
}

std::vector<BuildCommands::Step> BuildCommands::AllWriteSteps() {
  return {
      {"hpj ファイル作成...",
       [this] { return WriteHelpProject(project_, true, settings_, progress_, host); }},
      {"cnt ファイル作成...", [this] { return WriteContentsFile(project_, settings_, progress_); }},
      {"hh ファイル作成...", [this] { return WriteMapHeader(project_, progress_); }},
      {"rtf ファイル作成...",
       [this] {
         field_notes_.clear();
         for (std::string& note : RepairedFieldNotes(project_)) {
           field_notes_.push_back({DebugKind::kNote, "", std::move(note)});
         }
         return WriteTopicFile(project_, progress_);
       }},
  };
}

BuildReport BuildCommands::CompileAfterWriting() {
  ShowStatus("ヘルプコンパイラ起動準備...");
  CompilerWait();
  ShowStatus("コンパイル...");
  BuildReport report = RunCompiler();
  EndProgress();
  return report;
}

BuildReport BuildCommands::MakeHelp() {
  if (busy_) return {BuildReport::Outcome::kBusy, {}, {}};
  BusyGuard guard(busy_);
  if (settings_.GetBool(keys::kOptionMakeSave) && save_project) save_project();
  progress_.Show();
  if (!RunSteps(AllWriteSteps())) return {BuildReport::Outcome::kWriteFailed, {}, {}};
  return CompileAfterWriting();
}

bool BuildCommands::MakeIntermediateFiles() {
  if (busy_) return false;
  BusyGuard guard(busy_);
  if (enable_window) enable_window(false);
  progress_.Show();
  const bool written = RunSteps(AllWriteSteps());
  if (written) {
    EndProgress();
    if (!field_notes_.empty()) {
      debug_view_.SetEntries(field_notes_);
      debug_view_.ShowView(true);
    }
  }
  if (enable_window) enable_window(true);
  return written;
}

BuildReport BuildCommands::MakeHelpWithWizard(const MakeWizardChoices& chosen,
                                              const MakeWizardChoices& opened) {
  if (busy_) return {BuildReport::Outcome::kBusy, {}, {}};
  BusyGuard guard(busy_);
  StoreMakeWizardChoices(chosen, opened, project_);
  if (chosen.save_first && save_project) save_project();
  progress_.Show();
  std::vector<Step> all = AllWriteSteps();
  std::vector<Step> steps;
  if (!chosen.no_help_project) {
    const bool honour = !chosen.always_compress;
    steps.push_back({all[0].status, [this, honour] {
                       return WriteHelpProject(project_, honour, settings_, progress_, host);
                     }});
  }
  if (!chosen.no_contents_file) steps.push_back(all[1]);
  if (!chosen.no_map_header) steps.push_back(all[2]);
  steps.push_back(all[3]);
  if (!RunSteps(steps)) return {BuildReport::Outcome::kWriteFailed, {}, {}};
  return CompileAfterWriting();
}

void BuildCommands::Sleep(microseconds duration) {
  if (clock.sleep) {
    clock.sleep(duration);
  } else {
    std::this_thread::sleep_for(duration);
  }
}

void BuildCommands::CompilerWait() {
  const long long ready_num = settings_.GetInt(keys::kCompileReadyNum);
  const long long ready_time_ms = settings_.GetInt(keys::kCompileReadyTime);
  progress_.SetRange(static_cast<int>(ready_num));
  progress_.SetPosition(0);
  if (ready_num < 0) return;
  // Spread the longest pause over the steps, within sensible slice lengths.
  const long long per_step_us = std::max(0LL, ready_time_ms) * 1000 / (ready_num + 1);
  const microseconds slice = std::clamp(microseconds(per_step_us), kShortestSlice, kLongestSlice);
  const auto start = clock.now();
  auto last_pump = start - kPumpInterval;
  for (long long i = 0; i <= ready_num; ++i) {
    progress_.Step();
    const auto now = clock.now();
    if (now - start > milliseconds(ready_time_ms)) {
      progress_.SetPosition(static_cast<int>(ready_num));
      break;
    }
    if (now - last_pump >= kPumpInterval) {
      progress_.Pump();
      last_pump = now;
    }
    Sleep(slice);
  }
}

BuildReport BuildCommands::RunCompiler() {
  const std::string compiler = PathFromSjis(settings_.GetString(keys::kEtceteraHelpCompiler));
  const bool show_help = settings_.GetBool(keys::kDebugHelpShow);
  const std::string switches = PathFromSjis(settings_.GetString(keys::kCompileCommand));
  if (!IsHelpCompiler(compiler)) return {BuildReport::Outcome::kSkipped, {}, {}};
  if (RefuseProjectFile({".err", ".hlp"})) return {BuildReport::Outcome::kWriteFailed, {}, {}};
  const std::string help_project = FullPath(BuildFilePath(project_, ".hpj"));
  // A log left by an earlier run would be read as this run's.
  RemoveFile(ChangeExtension(help_project, ".err"));
  const auto started = FileClockNow();
  const ProgramCall call = CompilerCall(compiler, switches, help_project, windows_path);
  const ProcessResult run = runner_.Start(call.program, call.arguments, "", true);
  if (!run.started) {
    prompter_.Warning(CompilerStartFailedMessage());
    return {BuildReport::Outcome::kNotStarted, {}, {}};
  }
  return AnalyseCompilerLog(show_help, help_project, started);
}

BuildReport BuildCommands::AnalyseCompilerLog(
    bool show_help, const std::string& help_project,
    std::optional<std::chrono::system_clock::time_point> run_started) {
  const DebugOptions options = ReadDebugOptions(settings_);
  debug_view_.SetEntries({});
  const std::string log_path = ChangeExtension(help_project, ".err");
  std::string reason;
  auto text = ReadWholeFile(log_path, &reason);
  if (!text) {
    prompter_.Error(LogUnreadableMessage(log_path, reason));
    return {BuildReport::Outcome::kLogUnreadable, {}, {}};
  }
  BuildReport report;
  report.outcome = BuildReport::Outcome::kAnalysed;
  ParsedLog log = ParseCompilerLog(*text);
  report.verdict = DecideLogVerdict(log, options, show_help);
  const std::string help_file = ChangeExtension(help_project, ".hlp");
  if (run_started && !report.verdict.failed && !WrittenSince(help_file, *run_started)) {
    // The log says nothing is wrong, yet the compiler made no help file.
    report.verdict.failed = true;
    report.verdict.open_help_file = false;
    report.verdict.message = NoHelpFileMessage(help_file);
  }
  report.entries = field_notes_;
  report.entries.insert(report.entries.end(), log.entries.begin(), log.entries.end());
  debug_view_.SetEntries(report.entries);
  if (report.verdict.view != ViewChange::kKeep) {
    debug_view_.ShowView(report.verdict.view == ViewChange::kShow);
  }
  if (!report.verdict.message.empty()) prompter_.Warning(report.verdict.message);
  if (report.verdict.open_help_file) viewer_.ShowContents(help_file);
  return report;
}

bool BuildCommands::RunPreviewCompiler(const std::string& folder, const std::string& base_name) {
  const std::string base = folder + base_name;
  // The one-page project, topic file and log are of no use after this run,
  // whatever its end.
  struct RemoveInputs {
    const std::string& base;
    ~RemoveInputs() {
      RemoveFile(base + ".hpj");
      RemoveFile(base + ".rtf");
      RemoveFile(base + ".err");  // the built-in compiler always leaves its log
    }
  } remove_inputs{base};
  if (busy_) return false;
  BusyGuard guard(busy_);
  const std::string compiler = PathFromSjis(settings_.GetString(keys::kEtceteraHelpCompiler));
  const std::string switches = PathFromSjis(settings_.GetString(keys::kCompileCommand));
  if (!IsHelpCompiler(compiler)) {
    prompter_.Warning(NotHelpCompilerMessage(compiler));
    return false;
  }
  const auto started = FileClockNow();
  const ProgramCall call = CompilerCall(compiler, switches, base + ".hpj", windows_path);
  if (!runner_.Start(call.program, call.arguments, "", true).started) {
    prompter_.Warning(CompilerStartFailedMessage());
    return false;
  }
  if (!WrittenSince(base + ".hlp", started)) {
    prompter_.Warning(NoHelpFileMessage(base + ".hlp"));
    return false;
  }
  const std::string window = PathFromSjis(DefaultWindowName(project_.Header().ProjectOptions));
  // The preview's topic is the current page's.
  const int page = project_.CurrentPage();
  const std::string context = project_.ValidPage(page) ? project_.Page(page).Context : "";
  viewer_.ShowTopic(base + ".hlp>" + window, context, kPreviewContextNumber);
  return true;
}

std::string BuildCommands::DeleteIntermediateFiles() {
  std::string report;
  for (const char* ext : {".hpj", ".rtf", ".hh", ".err"}) {
    const std::string path = BuildFilePath(project_, ext);
    if (!report.empty()) report += "\r\n";
    if (SameFile(path, project_.ProjectFileName())) {
      prompter_.Error(ProjectFileGuardMessage(path));
      report += PathToSjis(path) + " = No";
      continue;
    }
    report += PathToSjis(path) + (RemoveFile(path) ? " = Yes" : " = No");
  }
  prompter_.Information(report);
  return report;
}

bool BuildCommands::OpenIntermediateFile(IntermediateFile file) {
  const std::string editor = PathFromSjis(settings_.GetString(keys::kEtceteraTextEditor));
  const std::string options = PathFromSjis(settings_.GetString(keys::kEtceteraComLine1));
  std::string parameters = options.empty() ? "" : options + " ";
  parameters += Quoted(BuildFilePath(project_, IntermediateExtension(file)));
  if (runner_.ShellOpen(editor, parameters)) return true;
  prompter_.Warning(ProgramStartFailedMessage(editor));
  return false;
}

bool BuildCommands::OpenInHelpWorkshop(IntermediateFile file) {
  const std::string workshop = PathFromSjis(settings_.GetString(keys::kEtceteraHelpWorkshop));
  const std::string path = BuildFilePath(project_, IntermediateExtension(file));
  // Arguments are split at blanks here; a path with one must stay whole.
  if (runner_.ShellOpen(workshop, path.find(' ') == std::string::npos ? path : Quoted(path))) {
    return true;
  }
  prompter_.Warning(ProgramStartFailedMessage(workshop));
  return false;
}

bool BuildCommands::ShowHelpFile() { return viewer_.ShowContents(BuildFilePath(project_, ".hlp")); }

void BuildCommands::ShowCompilerCodeHelp(const std::string& code) {
  if (code.empty()) return;
  const std::string list_path = program_folder + kCompilerCodeListName;
  std::string reason;
  auto list = ReadWholeFile(list_path, &reason);
  if (!list) {
    prompter_.Error(LogUnreadableMessage(list_path, reason));
    return;
  }
  if (list->find(code) != std::string::npos) {
    viewer_.ShowKeyword(program_folder + kCompilerCodeHelpName + ">help", code);
  } else {
    ShowWorkshopCodeHelp(code);
  }
}

void BuildCommands::ShowWorkshopCodeHelp(const std::string& code) {
  if (code.empty()) return;
  const std::string workshop = PathFromSjis(settings_.GetString(keys::kEtceteraHelpWorkshop));
  viewer_.ShowKeyword(ChangeExtension(workshop, ".hlp"), code);
}

}  // namespace qy
