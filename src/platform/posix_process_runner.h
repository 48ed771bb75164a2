// Starting outside programs on a POSIX system: fork and exec with the
// arguments as they are (no shell in between), waiting in short sleeps while
// the window keeps processing its messages.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/platform.h"

namespace qy {

class PosixProcessRunner : public ProcessRunner {
 public:
  // `pump` runs between the sleeps of a wait (the window's message pump).
  explicit PosixProcessRunner(std::function<void()> pump = {},
                              std::chrono::milliseconds poll = std::chrono::milliseconds(20));

  // A bare program name is looked up in PATH. `started` is false (with the
  // reason) when the program is missing or can not be executed. A program
  // not waited for is detached, so it never lingers as a zombie.
  ProcessResult Start(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& working_dir, bool wait) override;

  // A program (Windows programs through wine) gets `parameters` split as a
  // command line; anything else that exists is handed to xdg-open.
  bool ShellOpen(const std::string& target, const std::string& parameters = "") override;

 private:
  std::function<void()> pump_;
  std::chrono::milliseconds poll_;
};

// Runs a program to its end and returns what it wrote to standard output;
// nullopt when it could not be started or did not end with exit code 0.
std::optional<std::string> CaptureOutput(const std::string& program,
                                         const std::vector<std::string>& arguments);

// The Windows path wine gives `path`: the answer of "winepath -w", or, when
// that is not available, the path on wine's drive Z: (the root folder).
std::string WineWindowsPath(const std::string& path);
// "/a/b.hpj" -> "Z:\a\b.hpj" (a relative path is made absolute first).
std::string WineDriveZPath(const std::string& path);

}  // namespace qy
