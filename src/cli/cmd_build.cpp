#include <string>

#include "build/build_commands.h"
#include "build/build_output.h"
#include "cli/cli_build_support.h"
#include "cli/cli_command.h"
#include "cli/headless_session.h"
#include "core/codec.h"
#include "core/settings_keys.h"
#include "platform/posix_process_runner.h"

namespace qy::cli {

namespace {

// "Error HC3025: message" - the kind without its leading blank.
std::string RowLine(const DebugEntry& entry) {
  return std::string(DebugKindCaption(entry.kind) + 1) + " " + entry.code + ": " +
         Cp932ToUtf8(entry.message);
}

int RunBuild(CliContext& context) {
  std::string file;
  bool compile = false;
  for (const auto& arg : context.args) {
    if (arg == "--compile") {
      compile = true;
    } else if (file.empty() && !arg.empty() && arg[0] != '-') {
      file = arg;
    } else {
      file.clear();
      break;
    }
  }
  if (file.empty()) {
    *context.err << "usage: quillory-cli build FILE.qyp [--compile]\n";
    return kExitUsage;
  }
  HeadlessSession session(context);
  if (!session.Open(file)) return kExitFailure;
  NullProgress progress;
  PosixProcessRunner runner;
  NoHelpViewer viewer;
  NullDebugView debug_view;
  BuildCommands build(session.model(), *context.settings, session.prompter(), progress, runner,
                      viewer, debug_view);
  build.windows_path = WineWindowsPath;
  if (!build.MakeIntermediateFiles()) return kExitFailure;
  for (const char* ext : {".hpj", ".cnt", ".hh", ".rtf"}) {
    *context.out << "wrote " << BuildFilePath(session.model(), ext) << '\n';
  }
  if (!compile) return kExitOk;

  const BuildReport report = build.RunCompiler();
  switch (report.outcome) {
    case BuildReport::Outcome::kSkipped:
      *context.err << "quillory-cli: the help compiler "
                   << Cp932ToUtf8(context.settings->GetString(keys::kEtceteraHelpCompiler))
                   << " is not hcrtf.exe; nothing was compiled\n";
      return kExitFailure;
    case BuildReport::Outcome::kAnalysed:
      for (const auto& entry : report.entries) *context.out << RowLine(entry) << '\n';
      if (!report.Succeeded()) return kExitFailure;
      *context.out << "built " << BuildFilePath(session.model(), ".hlp") << '\n';
      return kExitOk;
    default:
      return kExitFailure;  // the reason has been printed
  }
}

const CliCommandRegistrar kRegistrar(
    {"build", "FILE.qyp [--compile]",
     "write the help compiler's four input files; --compile also runs the compiler", &RunBuild});

}  // namespace

}  // namespace qy::cli
