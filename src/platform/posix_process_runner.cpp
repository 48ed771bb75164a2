#include "platform/posix_process_runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <thread>

#include "build/compiler_command.h"
#include "core/files.h"

namespace qy {

namespace {

struct Spawned {
  pid_t pid = -1;  // the process to wait for; -1 when detached or failed
  int error = 0;   // errno of the failed step
};

[[noreturn]] void ReportAndExit(int report_fd, int error) {
  // Nothing can be done in the child when the report itself fails.
  [[maybe_unused]] ssize_t n = ::write(report_fd, &error, sizeof error);
  ::_exit(127);
}

// The child's side: runs in the forked process, async-signal-safe calls only.
[[noreturn]] void ExecChild(const char* path, char* const* argv, const char* working_dir,
                            int stdout_fd, int report_fd) {
  if (stdout_fd >= 0 && ::dup2(stdout_fd, STDOUT_FILENO) < 0) ReportAndExit(report_fd, errno);
  if (working_dir && ::chdir(working_dir) != 0) ReportAndExit(report_fd, errno);
  ::execv(path, argv);
  ReportAndExit(report_fd, errno);
}

// Starts `path` (a file, not looked up) and tells whether exec succeeded: the
// child reports a failure through a pipe that exec closes on success.
Spawned Spawn(const std::string& path, const std::vector<std::string>& arguments,
              const std::string& working_dir, bool detach, int stdout_fd = -1) {
  std::vector<std::string> args;
  args.push_back(path);
  args.insert(args.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const char* dir = working_dir.empty() ? nullptr : working_dir.c_str();

  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return {-1, errno};
  const pid_t pid = ::fork();
  if (pid < 0) {
    const int e = errno;
    ::close(report[0]);
    ::close(report[1]);
    return {-1, e};
  }
  if (pid == 0) {
    ::close(report[0]);
    if (detach) {
      // The intermediate process ends at once; the program it leaves behind
      // belongs to init, which reaps it.
      const pid_t grandchild = ::fork();
      if (grandchild < 0) ReportAndExit(report[1], errno);
      if (grandchild > 0) ::_exit(0);
      ::setsid();
    }
    ExecChild(path.c_str(), argv.data(), dir, stdout_fd, report[1]);
  }
  ::close(report[1]);
  if (detach) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  int child_error = 0;
  ssize_t got;
  do {
    got = ::read(report[0], &child_error, sizeof child_error);
  } while (got < 0 && errno == EINTR);
  ::close(report[0]);
  if (got == static_cast<ssize_t>(sizeof child_error)) {
    if (!detach) {
      int status = 0;
      while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
    }
    return {-1, child_error};
  }
  return {detach ? -1 : pid, 0};
}

int ExitCodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace

PosixProcessRunner::PosixProcessRunner(std::function<void()> pump, std::chrono::milliseconds poll)
    : pump_(std::move(pump)), poll_(poll) {}

ProcessResult PosixProcessRunner::Start(const std::string& program,
                                        const std::vector<std::string>& arguments,
                                        const std::string& working_dir, bool wait) {
  ProcessResult result;
  const std::string path = FindProgram(program);
  if (path.empty()) {
    result.error = program + ": " + std::strerror(ENOENT);
    return result;
  }
  const Spawned spawned = Spawn(path, arguments, working_dir, !wait);
  if (spawned.error != 0) {
    result.error = program + ": " + std::strerror(spawned.error);
    return result;
  }
  result.started = true;
  if (!wait) return result;
  int status = 0;
  while (true) {
    const pid_t done = ::waitpid(spawned.pid, &status, WNOHANG);
    if (done == spawned.pid) {
      result.exit_code = ExitCodeOf(status);
      break;
    }
    if (done < 0 && errno != EINTR) break;
    if (pump_) pump_();
    std::this_thread::sleep_for(poll_);
  }
  return result;
}

bool PosixProcessRunner::ShellOpen(const std::string& target, const std::string& parameters) {
  const std::string found = FindProgram(target);
  if (!found.empty() && (IsWindowsProgram(found) || ::access(found.c_str(), X_OK) == 0)) {
    ProgramCall call = ProgramCallFor(found, SplitCommandLine(parameters));
    return Start(call.program, call.arguments, "", false).started;
  }
  if (parameters.empty() && (FileExists(target) || DirectoryExists(target))) {
    return Start("xdg-open", {target}, "", false).started;
  }
  return false;
}

std::optional<std::string> CaptureOutput(const std::string& program,
                                         const std::vector<std::string>& arguments) {
  const std::string path = FindProgram(program);
  if (path.empty()) return std::nullopt;
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return std::nullopt;
  const Spawned spawned = Spawn(path, arguments, "", false, out[1]);
  ::close(out[1]);
  if (spawned.error != 0) {
    ::close(out[0]);
    return std::nullopt;
  }
  std::string text;
  char buffer[4096];
  while (true) {
    const ssize_t got = ::read(out[0], buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    text.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(out[0]);
  int status = 0;
  while (::waitpid(spawned.pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (ExitCodeOf(status) != 0) return std::nullopt;
  return text;
}

std::string WineDriveZPath(const std::string& path) {
  std::error_code ec;
  std::string absolute = std::filesystem::absolute(path, ec).string();
  if (ec) absolute = path;
  for (char& c : absolute) {
    if (c == '/') c = '\\';
  }
  return "Z:" + absolute;
}

std::string WineWindowsPath(const std::string& path) {
  if (auto answer = CaptureOutput("winepath", {"-w", path})) {
    while (!answer->empty() && (answer->back() == '\n' || answer->back() == '\r')) {
      answer->pop_back();
    }
    if (!answer->empty()) return *answer;
  }
  return WineDriveZPath(path);
}

}  // namespace qy
