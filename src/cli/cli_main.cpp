#include <algorithm>
#include <exception>
#include <string>

#include "cli/cli_command.h"
#include "core/program_folder.h"
#include "core/settings.h"

namespace qy::cli {

namespace {

std::vector<CliCommand>& Registry() {
  static std::vector<CliCommand> registry;
  return registry;
}

}  // namespace

CliCommandRegistrar::CliCommandRegistrar(const CliCommand& command) {
  Registry().push_back(command);
}

std::vector<CliCommand> Commands() {
  std::vector<CliCommand> sorted = Registry();
  std::sort(sorted.begin(), sorted.end(),
            [](const CliCommand& a, const CliCommand& b) { return std::string(a.name) < b.name; });
  return sorted;
}

namespace {

SettingsEnvironment DefaultSettingsEnvironment() {
  SettingsEnvironment env;
  env.program_folder = ProgramFolder();
  return env;
}

void PrintHelp(std::ostream& out) {
  out << "Usage: quillory-cli [--settings FILE] [--yes] COMMAND [ARGS...]\n\n"
         "Works on Quillory help projects (.qyp) without a window.\n\n"
         "Commands:\n";
  for (const auto& c : Commands()) {
    std::string head = std::string(c.name) + " " + c.usage;
    out << "  " << head;
    for (std::size_t i = head.size(); i < 28; ++i) out << ' ';
    out << ' ' << c.summary << '\n';
  }
  out << "\nOptions:\n"
         "  --settings FILE             use FILE as the settings file instead of the program\n"
         "                              folder's quillory.ini\n"
         "  --yes                       answer the questions a window would ask with Yes/OK\n"
         "  --help                      show this text\n\n"
         "Output is UTF-8. Errors go to standard error; the exit code is 0 on success,\n"
         "1 on failure and 2 on a usage error.\n";
}

}  // namespace

int RunCli(int argc, char** argv, std::ostream& out, std::ostream& err) {
  CliContext context;
  context.out = &out;
  context.err = &err;
  std::string settings_path;
  const CliCommand* command = nullptr;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (!command && (a == "--help" || a == "-h")) {
      PrintHelp(out);
      return kExitOk;
    }
    if (a == "--yes" || a == "-y") {
      context.assume_yes = true;
    } else if (a == "--settings") {
      if (i + 1 >= argc) {
        err << "quillory-cli: --settings needs a file name\n";
        return kExitUsage;
      }
      settings_path = argv[++i];
    } else if (!command && !a.empty() && a[0] == '-') {
      err << "quillory-cli: unknown option " << a << "\n";
      return kExitUsage;
    } else if (!command) {
      for (const auto& c : Registry()) {
        if (a == c.name) command = &c;
      }
      if (!command) {
        err << "quillory-cli: unknown command " << a << " (see --help)\n";
        return kExitUsage;
      }
    } else {
      context.args.push_back(a);
    }
  }
  if (!command) {
    PrintHelp(err);
    return kExitUsage;
  }
  if (settings_path.empty()) settings_path = SettingsFilePath();
  Settings settings(settings_path, DefaultSettingsEnvironment());
  context.settings = &settings;
  try {
    return command->run(context);
  } catch (const std::exception& e) {
    err << "quillory-cli: " << e.what() << "\n";
    return kExitFailure;
  }
}

}  // namespace qy::cli
