// Sending a page to the text editor and taking it back, the hotspot
// editor's command line, and the /proc check that tells whether an editor still
// has a file.
#include "shell/external_editor.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/codec.h"
#include "core/files.h"
#include "core/memory_editor.h"
#include "core/settings_keys.h"
#include "platform/proc_file_hold_check.h"
#include "project/context_list.h"
#include "support/fakes.h"

extern char** environ;

namespace qy {
namespace {

// Records each start as "program|argument|...|@working_dir" and each
// shell open as "program parameters".
class RecordingRunner : public ProcessRunner {
 public:
  ProcessResult Start(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& working_dir, bool wait) override {
    std::string line = program;
    for (const std::string& a : arguments) line += "|" + a;
    started.push_back(line + "|@" + working_dir + (wait ? " wait" : ""));
    return {can_start, 0, ""};
  }
  bool ShellOpen(const std::string& target, const std::string& parameters) override {
    opened.push_back(target + " " + parameters);
    return can_start;
  }
  std::vector<std::string> started, opened;
  bool can_start = true;
};

class ScriptedHoldCheck : public FileHoldCheck {
 public:
  bool IsHeld(const std::string& file) override {
    asked.push_back(file);
    return held;
  }
  bool held = false;
  std::vector<std::string> asked;
};

// The main window's part, played here: every editor change goes into the
// current page's topic and marks the project modified.
class ExternalEditTest : public ::testing::Test {
 protected:
  ExternalEditTest() {
    ::setenv("TMPDIR", temp_.path().c_str(), 1);

    model_.SetProjectFileName(work_.File("guide.qyp"));
    AddPage("HLP000001", kTopicPage, Sjis("見出し\r\n本文"));
    AddPage("HLP000002", kContentPage, "");
    AddPage("HLP000003", kPopupPage, "popup");
    model_.SetCurrentPage(1);
    editor_.SetText(model_.Page(1).Topic);
    editor_.on_text_changed = [this](const std::string& text) {
      model_.MutablePage(model_.CurrentPage()).Topic = text;
      model_.SetModified(true);
    };
    external_.on_mode_changed = [this](bool out) { modes_.push_back(out); };
  }
  ~ExternalEditTest() override { ::unsetenv("TMPDIR"); }

  void AddPage(const std::string& context, PageAttribute kind, const std::string& topic) {
    PageRecord page;
    page.Context = context;
    page.Title = context;
    page.Attribute = kind;
    page.Topic = topic;
    model_.AppendPage(page);
  }

  testing::TempDir temp_, work_;
  Settings settings_{work_.File("quillory.ini")};
  ProjectModel model_;
  MemoryEditor editor_;
  testing::FakePrompter prompter_;
  RecordingRunner runner_;
  ScriptedHoldCheck hold_;
  ExternalEditor external_{model_, editor_, prompter_, runner_, settings_, hold_};
  std::vector<bool> modes_;
};

TEST_F(ExternalEditTest, SendingOutWritesTheTopicAndOpensTheEditorOnTheQuotedFile) {
  EXPECT_TRUE(external_.TakeBackExternalPage()) << "nothing out: commands may go on";
  ASSERT_EQ(external_.EditPageExternally(), ExternalEditResult::kSent);
  const std::string file = external_.FileName();
  EXPECT_EQ(FolderOf(file), temp_.path());
  EXPECT_EQ(ReadWholeFile(file).value_or(""), Sjis("見出し\r\n本文"));
  EXPECT_EQ(runner_.opened.at(0), "Notepad.exe \"" + file + "\"");
  EXPECT_FALSE(model_.Modified());
  // ComLine1 goes before the file name.
  settings_.SetString(keys::kEtceteraTextEditor, "gedit");
  settings_.SetString(keys::kEtceteraComLine1, "-x");
  ASSERT_EQ(external_.EditPageExternally(), ExternalEditResult::kTakenBack);
  ASSERT_EQ(external_.SendPageOut(), ExternalEditResult::kSent);
  EXPECT_EQ(runner_.opened[1], "gedit -x \"" + external_.FileName() + "\"");
  // Only Topic and Popup pages go out.
  ASSERT_EQ(external_.EditPageExternally(), ExternalEditResult::kTakenBack);
  model_.SetCurrentPage(2);
  EXPECT_EQ(external_.EditPageExternally(), ExternalEditResult::kNotSendable);
}

// What the editor left decides how the page comes back: the mode ends
// unless the editor still holds the file.
TEST_F(ExternalEditTest, TakingBack) {
  enum Editor { kHeld, kRewritten, kUntouched, kDeleted };
  const struct {
    Editor editor;
    ExternalEditResult result;
    std::string topic;    // UTF-8
    const char* message;  // part of the warning shown, "" for none
  } cases[] = {
      {kHeld, ExternalEditResult::kStillHeld, "見出し\r\n本文", "開かれたままです"},
      // An editor outside Windows saves bare line feeds.
      {kRewritten, ExternalEditResult::kTakenBack, "見出し\r\n書き直した\r\n", ""},
      {kUntouched, ExternalEditResult::kTakenBack, "見出し\r\n本文", ""},
      {kDeleted, ExternalEditResult::kLost, "見出し\r\n本文", "を読み込めませんでした"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.editor);
    ASSERT_EQ(external_.SendPageOut(), ExternalEditResult::kSent);
    const std::string file = external_.FileName();
    hold_.held = c.editor == kHeld;
    ASSERT_TRUE(c.editor != kRewritten || WriteFileAtomic(file, Sjis("見出し\n書き直した\n")).ok);
    ASSERT_TRUE(c.editor != kDeleted || RemoveFile(file));
    EXPECT_EQ(external_.TakePageBack(), c.result);
    EXPECT_EQ(model_.Page(1).Topic, Sjis(c.topic));
    EXPECT_EQ(model_.Modified(), c.editor == kRewritten);
    EXPECT_EQ(editor_.CanUndo(), c.editor == kRewritten);
    EXPECT_EQ(external_.IsOut(), c.editor == kHeld);
    EXPECT_EQ(FileExists(file), c.editor == kHeld);
    EXPECT_EQ(modes_.back(), c.editor == kHeld);
    ASSERT_EQ(prompter_.shown.size(), *c.message ? 1u : 0u);
    if (*c.message) {
      EXPECT_NE(prompter_.shown[0].text.find(Sjis(c.message)), std::string::npos);
    }
    if (c.editor == kHeld) {
      // Commands wait while the page is out.
      EXPECT_FALSE(external_.TakeBackExternalPage());
      EXPECT_EQ(hold_.asked, (std::vector<std::string>{file, file}));
      hold_.held = false;
      ASSERT_TRUE(external_.TakeBackExternalPage());
    }
    editor_.SetText(Sjis("見出し\r\n本文"));
    model_.SetModified(false);
    prompter_.shown.clear();
    modes_.clear();
  }
}

TEST_F(ExternalEditTest, EditorThatDoesNotStartLeavesNoPageOut) {
  runner_.can_start = false;
  EXPECT_EQ(external_.SendPageOut(), ExternalEditResult::kFailed);
  EXPECT_FALSE(external_.IsOut());
  ASSERT_EQ(prompter_.shown.size(), 1u);
  EXPECT_NE(prompter_.shown[0].text.find("\"Notepad.exe\""), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_empty(temp_.path())) << "a file was left behind";
}

TEST_F(ExternalEditTest, ShgEditGetsTheSelectedBitmapAndTheContextList) {
  const std::string bitmaps = work_.File("bmp");
  ASSERT_TRUE(std::filesystem::create_directory(bitmaps));
  ASSERT_TRUE(WriteFileAtomic(bitmaps + "/pic.bmp", "BM").ok);
  settings_.SetString(keys::kEtceteraBitmapPath, bitmaps + "//");
  settings_.SetString(keys::kToolHotspotEdit, "/opt/hcw/Shg_Edit.exe");
  HotspotEditor tools(model_, settings_, runner_, prompter_);
  EXPECT_TRUE(IsShgEdit("C:\\Program Files\\HCW\\SHG_EDIT.EXE"));
  ASSERT_TRUE(tools.Start("pic.bmp"));
  const std::string hls = work_.File("guide.hls");
  EXPECT_EQ(runner_.started.at(0),
            "/opt/hcw/Shg_Edit.exe|" + bitmaps + "/pic.bmp|/T:" + hls + "|@" + bitmaps + "/");
  EXPECT_EQ(ReadWholeFile(hls).value_or(""), ContextListText(model_));

  // A selection that names no file: only the context list. The platform may
  // rewrite the call (a Windows program through wine).
  tools.adapt_command = [](HotspotCommand& command) {
    command.arguments.insert(command.arguments.begin(), command.program);
    command.program = "wine";
  };
  ASSERT_TRUE(tools.Start("missing.bmp"));
  EXPECT_EQ(runner_.started.at(1).substr(0, runner_.started[1].find("|@")),
            "wine|/opt/hcw/Shg_Edit.exe|/T:" + hls);
}

TEST_F(ExternalEditTest, OtherHotspotProgramsGetOnlyAnExistingSelectedFile) {
  EXPECT_FALSE(HotspotEditor(model_, settings_, runner_, prompter_).Start("pic.bmp"));
  const std::string bitmaps = work_.File("own");
  ASSERT_TRUE(std::filesystem::create_directory(bitmaps));
  ASSERT_TRUE(WriteFileAtomic(bitmaps + "/a.shg", "x").ok);
  // The project keeps its bitmap folder in a section of its own.
  model_.Header().BitmapSection = "guide.qyp";
  settings_.file().WriteString("guide.qyp", "BitmapPath", bitmaps);
  settings_.SetString(keys::kToolHotspotEdit, "/usr/bin/painter");
  HotspotEditor tools(model_, settings_, runner_, prompter_);
  ASSERT_TRUE(tools.Start("a.shg"));
  ASSERT_TRUE(tools.Start(""));
  EXPECT_EQ(runner_.started,
            (std::vector<std::string>{"/usr/bin/painter|" + bitmaps + "/a.shg|@" + bitmaps + "/",
                                      "/usr/bin/painter|@" + bitmaps + "/"}));
  EXPECT_FALSE(FileExists(work_.File("guide.hls")));
}

// The real check, against this process and a child.
TEST(ProcFileHoldCheck, SeesAnOpenFileAndAProcessStartedOnIt) {
  testing::TempDir dir;
  const std::string file = dir.File("~qy0F0F0.tmp");
  ASSERT_TRUE(WriteFileAtomic(file, "text").ok);
  ProcFileHoldCheck check;
  EXPECT_FALSE(check.IsHeld(file));

  int fd = ::open(file.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  EXPECT_TRUE(check.IsHeld(file));
  ::close(fd);
  EXPECT_FALSE(check.IsHeld(file));

  // An editor that read the file and closed it is still running with the
  // file's name among its arguments; in a process group of its own, so that
  // the sleep the shell starts ends with it.
  pid_t child = 0;
  std::string script = "sleep 30";
  std::vector<char*> argv = {
      const_cast<char*>("sh"),     const_cast<char*>("-c"),         script.data(),
      const_cast<char*>("editor"), const_cast<char*>(file.c_str()), nullptr};
  posix_spawnattr_t attr;
  ::posix_spawnattr_init(&attr);
  ::posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
  ASSERT_EQ(::posix_spawn(&child, "/bin/sh", nullptr, &attr, argv.data(), environ), 0);
  ::posix_spawnattr_destroy(&attr);
  bool seen = false;
  for (int i = 0; i < 100 && !seen; ++i) {  // until the child has exec'd
    seen = check.IsHeld(file);
    if (!seen) ::usleep(10000);
  }
  EXPECT_TRUE(seen);
  ::kill(-child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  EXPECT_FALSE(check.IsHeld(file));
}

}  // namespace
}  // namespace qy
