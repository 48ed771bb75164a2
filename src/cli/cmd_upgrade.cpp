#include "cli/cli_command.h"
#include "cli/console_prompter.h"
#include "cli/headless_session.h"

namespace qy::cli {

namespace {

int RunUpgrade(CliContext& context) {
  if (context.args.size() != 2) {
    *context.err << "usage: quillory-cli [--yes] upgrade OLD.qyp NEW.qyp\n";
    return kExitUsage;
  }
  HeadlessSession session(context);
  if (!session.Open(context.args[0])) return kExitFailure;
  if (!session.Save(context.args[1])) return kExitFailure;
  *context.out << context.args[1] << ": " << session.model().PageCount() << " pages written\n";
  return kExitOk;
}

const CliCommandRegistrar kRegistrar(
    {"upgrade", "OLD.qyp NEW.qyp", "read a project of any accepted version, write the current one",
     &RunUpgrade});

}  // namespace

}  // namespace qy::cli
