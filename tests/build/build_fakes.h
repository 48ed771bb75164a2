// Fakes for the build commands: a help viewer and a debug view that record
// what they are asked, a process runner that records and refuses.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "build/compiler_log.h"
#include "core/files.h"
#include "core/platform.h"

namespace qy::testing {

class FakeHelpViewer : public HelpViewer {
 public:
  bool ShowContents(const std::string& file) override {
    calls.push_back("contents " + file);
    return true;
  }
  bool ShowContext(const std::string& file, int context) override {
    calls.push_back("context " + file + " " + std::to_string(context));
    return true;
  }
  bool ShowKeyword(const std::string& file, const std::string& keyword) override {
    calls.push_back("keyword " + file + " " + keyword);
    return true;
  }
  bool ShowTopic(const std::string& file, const std::string& context, int number) override {
    calls.push_back("topic " + file + " " + context + " " + std::to_string(number));
    return true;
  }
  std::vector<std::string> calls;
};

class FakeDebugView : public DebugView {
 public:
  void SetEntries(const std::vector<DebugEntry>& e) override { entries = e; }
  void ShowView(bool) override {}
  std::vector<DebugEntry> entries;
};

// Records every call; Start reports `start_result` after handing `run`, if
// set, the help project's path without its extension: a compiler run in
// process.
class RecordingRunner : public ProcessRunner {
 public:
  struct Call {
    std::string program;
    std::vector<std::string> arguments;
  };
  ProcessResult Start(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string&, bool) override {
    starts.push_back({program, arguments});
    if (start_result.started && run) run(ChangeExtension(arguments.back(), ""));
    return start_result;
  }
  bool ShellOpen(const std::string&, const std::string&) override { return true; }
  std::vector<Call> starts;
  ProcessResult start_result;  // not started by default
  std::function<void(const std::string& base)> run;
};

}  // namespace qy::testing
