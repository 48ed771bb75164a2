// The built-ins that start programs: Exec (a program started directly, its
// command line split the Windows way) and Shell (the desktop's open service).
#pragma once

#include <cstdint>
#include <string_view>

namespace qy {

class ProcessRunner;

// Starts the program of the command line '"' + path + '" ' + command_line.
// 0 when it can not be started (or there is no runner); with wait = -1 the
// call waits for its end and gives its exit code as an unsigned 32-bit
// number; for any other wait it gives -1 at once.
std::int64_t ExecProgram(ProcessRunner* runner, std::string_view path,
                         std::string_view command_line, std::int64_t wait);

// The Windows shell's answer for "open": above 32 on success, 2 (file not
// found) when the platform could not open `path`, 0 without a runner.
std::int64_t ShellOpenCode(ProcessRunner* runner, std::string_view path,
                           std::string_view command_line);

}  // namespace qy
