#include "platform/wine_help_viewer.h"

#include <gtest/gtest.h>

#include <string>

#include "core/codec.h"
#include "core/files.h"
#include "support/fakes.h"

namespace qy {
namespace {

// Logs each program started as its words joined by blanks.
class RecordingRunner : public ProcessRunner {
 public:
  ProcessResult Start(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string&, bool) override {
    calls += program;
    for (const std::string& a : arguments) calls += " " + a;
    return {true, 0, ""};
  }
  bool ShellOpen(const std::string&, const std::string&) override { return true; }
  std::string calls;
};

// winhlp32 takes the file with its window and "-i" with a context string;
// calls it has no switch for open the file and say so. A missing file or
// viewer is a warning and runs nothing.
TEST(WineHelpViewerTest, PassesWhatWinhlp32UnderstandsOrWarns) {
  testing::TempDir dir;
  const std::string file = dir.File("guide.hlp"), run = "wine winhlp32 Z:" + file;
  ASSERT_TRUE(WriteFileAtomic(file, "?_"));
  testing::FakePrompter prompter;
  RecordingRunner runner;
  WineHelpViewer viewer(prompter, runner);
  viewer.viewer_installed = [] { return true; };
  viewer.wine_path = [](const std::string& path) { return "Z:" + path; };
  // Each call's result, the program run and the kind of message shown.
  auto check = [&](bool ok, const std::string& started, const std::string& told) {
    EXPECT_EQ(ok, !started.empty()) << started;
    EXPECT_EQ(runner.calls, started);
    const auto& shown = prompter.shown;
    EXPECT_EQ(shown.empty() ? "" : shown.size() > 1 ? "several" : shown[0].kind, told) << started;
    runner.calls.clear();
    prompter.shown.clear();
  };
  check(viewer.ShowContents(file + ">main"), run + ">main", "");
  check(viewer.ShowTopic(file + ">w", Sjis("章_1"), 1), "wine winhlp32 -i 章_1 Z:" + file + ">w",
        "");
  check(viewer.ShowTopic(file, "", 7), run, "info");
  check(viewer.ShowContext(file, 1001), run, "info");
  check(viewer.ShowKeyword(file + ">help", Sjis("索引")), run + ">help", "info");
  check(viewer.ShowContents("/nonexistent/q.hlp>help"), "", "warning");
  viewer.viewer_installed = [] { return false; };
  check(viewer.ShowContext(file, 1), "", "warning");
}

}  // namespace
}  // namespace qy
