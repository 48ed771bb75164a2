#include <string>

#include "build/build_commands.h"
#include "cli/cli_build_support.h"
#include "cli/cli_command.h"
#include "cli/console_prompter.h"
#include "cli/headless_session.h"
#include "platform/posix_process_runner.h"

namespace qy::cli {

namespace {

int RunClean(CliContext& context) {
  if (context.args.size() != 1) {
    *context.err << "usage: quillory-cli clean FILE.qyp\n";
    return kExitUsage;
  }
  HeadlessSession session(context);
  if (!session.Open(context.args[0])) return kExitFailure;
  // The report is the command's output, not a diagnostic.
  ConsolePrompter report(*context.out, context.assume_yes);
  NullProgress progress;
  PosixProcessRunner runner;
  NoHelpViewer viewer;
  NullDebugView debug_view;
  BuildCommands build(session.model(), *context.settings, report, progress, runner, viewer,
                      debug_view);
  build.DeleteIntermediateFiles();
  return kExitOk;
}

const CliCommandRegistrar kRegistrar({"clean", "FILE.qyp",
                                      "delete the generated .hpj, .rtf, .hh and .err files",
                                      &RunClean});

}  // namespace

}  // namespace qy::cli
