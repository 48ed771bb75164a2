#include "macro/builtins_system.h"

#include <string>
#include <vector>

#include "core/platform.h"
#include "macro/command_line.h"

namespace qy {

namespace {

// ShellExecute's success is any value above 32; 42 is the one Windows gives.
constexpr std::int64_t kShellSucceeded = 42;
constexpr std::int64_t kShellFileNotFound = 2;

}  // namespace

std::int64_t ExecProgram(ProcessRunner* runner, std::string_view path,
                         std::string_view command_line, std::int64_t wait) {
  if (!runner) return 0;
  std::string line = "\"";
  line.append(path);
  line += "\" ";
  line.append(command_line);
  std::vector<std::string> items = SplitWindowsCommandLine(line);
  if (items.empty() || items[0].empty()) return 0;
  const std::string program = std::move(items[0]);
  items.erase(items.begin());
  const bool waiting = wait == -1;
  const ProcessResult result = runner->Start(program, items, "", waiting);
  if (!result.started) return 0;
  if (!waiting) return -1;
  return static_cast<std::int64_t>(static_cast<std::uint32_t>(result.exit_code));
}

std::int64_t ShellOpenCode(ProcessRunner* runner, std::string_view path,
                           std::string_view command_line) {
  if (!runner) return 0;
  return runner->ShellOpen(std::string(path), std::string(command_line)) ? kShellSucceeded
                                                                         : kShellFileNotFound;
}

}  // namespace qy
