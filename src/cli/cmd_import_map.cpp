#include <filesystem>

#include "cli/cli_command.h"
#include "cli/console_prompter.h"
#include "cli/headless_session.h"
#include "core/codec.h"
#include "core/progress.h"
#include "project/help_map.h"

namespace qy::cli {

namespace {

// Names on the command line are taken from the current folder, as a shell
// user expects; the importer itself takes relative names from the project's
// folder.
std::string Absolute(const std::string& path) {
  std::error_code ec;
  auto full = std::filesystem::absolute(path, ec);
  return ec ? path : full.string();
}

int RunImportMap(CliContext& context) {
  if (context.args.size() < 2) {
    *context.err << "usage: quillory-cli import-map FILE.qyp FILE.hm...\n";
    return kExitUsage;
  }
  HeadlessSession session(context);
  const std::string& project_file = context.args[0];
  if (!session.Open(project_file)) return kExitFailure;

  std::vector<std::string> maps;
  for (std::size_t i = 1; i < context.args.size(); ++i) maps.push_back(Absolute(context.args[i]));
  ConsolePrompter report(*context.out, context.assume_yes);
  NullProgress progress;
  HelpMapImporter importer(session.model(), report, progress);
  HelpMapImportResult result = importer.ImportHelpMaps(maps);

  int unread = 0;
  std::size_t left_out = 0;
  for (const auto& file : result.files) {
    if (!file.read) {
      ++unread;
      continue;
    }
    *context.out << file.file << ": " << file.pages_added << " pages added, " << file.pages_changed
                 << " pages changed\n";
    // Names the full page table could not take are a failure of the import.
    if (!file.left_out.empty()) {
      *context.err << "quillory-cli: " << file.file << ": " << file.left_out.size()
                   << " names left out, the project has " << kMaxPages << " pages:";
      for (const std::string& name : file.left_out) *context.err << ' ' << Cp932ToUtf8(name);
      *context.err << '\n';
    }
    left_out += file.left_out.size();
  }
  if (result.changed && !session.Save(session.model().ProjectFileName())) return kExitFailure;
  return unread == 0 && left_out == 0 ? kExitOk : kExitFailure;
}

const CliCommandRegistrar kRegistrar({"import-map", "FILE.qyp FILE.hm...",
                                      "take help contexts and IDs from help-map files",
                                      &RunImportMap});

}  // namespace

}  // namespace qy::cli
