// The subcommands of quillory-cli, kept as one table.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qy {
class Settings;
}

namespace qy::cli {

struct CliContext {
  std::vector<std::string> args;  // the subcommand's own arguments
  bool assume_yes = false;        // --yes: answer questions with Yes/OK
  Settings* settings = nullptr;
  std::ostream* out = nullptr;
  std::ostream* err = nullptr;
};

struct CliCommand {
  const char* name;
  const char* usage;    // arguments after the name
  const char* summary;  // one line for --help
  int (*run)(CliContext& context);
};

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Every command, sorted by name. Each command file registers itself with a
// CliCommandRegistrar at namespace scope, so adding a command touches no
// shared file.
std::vector<CliCommand> Commands();

struct CliCommandRegistrar {
  explicit CliCommandRegistrar(const CliCommand& command);
};

int RunCli(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace qy::cli
