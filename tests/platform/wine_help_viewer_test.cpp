#include "platform/wine_help_viewer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/codec.h"
#include "core/files.h"
#include "support/fakes.h"

namespace qy {
namespace {

class RecordingRunner : public ProcessRunner {
 public:
  ProcessResult Start(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string&, bool) override {
    calls.push_back(arguments);
    calls.back().insert(calls.back().begin(), program);
    return {true, 0, ""};
  }
  bool ShellOpen(const std::string&, const std::string&) override { return true; }
  std::vector<std::vector<std::string>> calls;
};

class WineHelpViewerTest : public ::testing::Test {
 protected:
  WineHelpViewerTest() : viewer_(prompter_, runner_) {
    viewer_.viewer_installed = [] { return true; };
    viewer_.wine_path = [](const std::string& path) { return "Z:" + path; };
    EXPECT_TRUE(WriteFileAtomic(file_, "?_"));
  }
  testing::TempDir dir_;
  std::string file_ = dir_.File("guide.hlp");
  testing::FakePrompter prompter_;
  RecordingRunner runner_;
  WineHelpViewer viewer_;
};

// winhlp32 takes the file with its window and "-i" with a context string;
// calls it has no switch for open the file and say so.
TEST_F(WineHelpViewerTest, PassesWhatWinhlp32Understands) {
  struct Case {
    std::function<bool()> call;
    std::vector<std::string> arguments;
    bool told;
  };
  const std::string win = "Z:" + file_;
  const std::vector<Case> cases = {
      {[&] { return viewer_.ShowContents(file_ + ">main"); }, {"winhlp32", win + ">main"}, false},
      {[&] { return viewer_.ShowTopic(file_ + ">main", Sjis("章_1"), 1); },
       {"winhlp32", "-i", "章_1", win + ">main"},
       false},
      {[&] { return viewer_.ShowTopic(file_, "", 7); }, {"winhlp32", win}, true},
      {[&] { return viewer_.ShowContext(file_, 1001); }, {"winhlp32", win}, true},
      {[&] { return viewer_.ShowKeyword(file_ + ">help", Sjis("索引")); },
       {"winhlp32", win + ">help"},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.back());
    runner_.calls.clear();
    prompter_.shown.clear();
    EXPECT_TRUE(c.call());
    ASSERT_EQ(runner_.calls.size(), 1u);
    std::vector<std::string> expected = c.arguments;
    expected.insert(expected.begin(), "wine");
    EXPECT_EQ(runner_.calls[0], expected);
    ASSERT_EQ(prompter_.shown.size(), c.told ? 1u : 0u);
    if (c.told) EXPECT_EQ(prompter_.shown[0].kind, "info");
  }
}

TEST_F(WineHelpViewerTest, MissingFileOrViewerIsReportedAndNothingRuns) {
  EXPECT_FALSE(viewer_.ShowContents("/nonexistent/quillory.hlp>help"));
  ASSERT_EQ(prompter_.shown.size(), 1u);
  EXPECT_EQ(prompter_.shown[0].kind, "warning");
  EXPECT_NE(prompter_.shown[0].text.find("/nonexistent/quillory.hlp"), std::string::npos);

  viewer_.viewer_installed = [] { return false; };
  EXPECT_FALSE(viewer_.ShowContext(file_, 1));
  EXPECT_EQ(prompter_.shown.size(), 2u);
  EXPECT_EQ(prompter_.shown[1].kind, "warning");
  EXPECT_TRUE(runner_.calls.empty());
}

}  // namespace
}  // namespace qy
