// The preview command in both modes and the preview window's state and
// commands, against a recording window.
#include "preview/preview_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "build/preview_help_project_writer.h"
#include "build/preview_topic_writer.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/settings_keys.h"
#include "preview/page_preview.h"
#include "preview/preview_document.h"
#include "support/fakes.h"

namespace qy {
namespace {

class RecordingView : public PreviewView {
 public:
  void Create(const WindowRect& place) override {
    ++creations;
    geometry = place;
  }
  void SetCaption(const std::string& text) override { caption = text; }
  void LoadRtfFile(const std::string& file) override {
    loaded_file = file;
    loaded_text = ReadWholeFile(file).value_or("<unreadable>");
    ++loads;
  }
  void ShowAndRaise() override { ++shows; }
  void SetStayOnTop(bool on) override { stay_on_top = on; }
  void SetTextInset(int pixels) override { insets.push_back(pixels); }
  WindowRect Geometry() const override { return geometry; }
  void Destroy() override { ++destructions; }

  int creations = 0, loads = 0, shows = 0, destructions = 0;
  WindowRect geometry;
  std::string caption, loaded_file, loaded_text;
  bool stay_on_top = false;
  std::vector<int> insets;
};

// Temporary files go to a folder of the test's own.
class PreviewTest : public ::testing::Test {
 protected:
  PreviewTest() {
    const char* old = std::getenv("TMPDIR");
    if (old) old_tmpdir_ = old;
    had_tmpdir_ = old != nullptr;
    ::setenv("TMPDIR", temp_.path().c_str(), 1);
    settings_.SetBool(keys::kOptionPagePrev, false);
    for (const char* title : {"First", "Second", "Third"}) {
      PageRecord page = model_.MakeNewPage();
      page.Title = title;
      page.Topic = std::string(title) + " text";
      model_.AppendPage(page);
    }
    model_.SetCurrentPage(1);
    window_.register_temp_file = [this](const std::string& f) { registered_.push_back(f); };
    window_.select_page = [this](int page) {
      selected_.push_back(page);
      model_.SetCurrentPage(page);
      window_.OnPageChanged();
    };
  }
  ~PreviewTest() override {
    if (had_tmpdir_) {
      ::setenv("TMPDIR", old_tmpdir_.c_str(), 1);
    } else {
      ::unsetenv("TMPDIR");
    }
  }

  testing::TempDir temp_;
  testing::TempDir config_;
  std::string old_tmpdir_;
  bool had_tmpdir_ = false;
  static SettingsEnvironment Screen() {
    SettingsEnvironment env;
    env.screen_width = 1280;
    env.screen_height = 1024;
    return env;
  }

  Settings settings_{config_.File("quillory.ini"), Screen()};
  ProjectModel model_;
  RecordingView view_;
  testing::FakePrompter prompter_;
  PreviewWindow window_{model_, view_, prompter_, settings_};
  std::vector<std::string> registered_;
  std::vector<int> selected_;
};

TEST_F(PreviewTest, WindowPreviewOpensOnATemporaryFileAtTheSavedPlace) {
  PagePreview command(model_, settings_, prompter_, window_);
  ASSERT_TRUE(command.Run());
  ASSERT_TRUE(window_.IsOpen());
  EXPECT_EQ(FileNameOf(window_.FileName()).substr(0, 3), "~qy");
  EXPECT_EQ(FolderOf(window_.FileName()), temp_.path());
  EXPECT_EQ(view_.creations, 1);
  EXPECT_EQ(view_.geometry, (WindowRect{6, 6, 640, 512}));
  EXPECT_EQ(view_.caption, "First" + Sjis(" - Quillory プレビュー"));
  EXPECT_EQ(view_.loaded_file, window_.FileName());
  EXPECT_EQ(view_.loaded_text, BuildPreviewDocument(model_, 1));
  EXPECT_EQ(view_.shows, 1);
  EXPECT_EQ(registered_, std::vector<std::string>{window_.FileName()});
  EXPECT_TRUE(prompter_.shown.empty());
}

TEST_F(PreviewTest, OpenWindowFollowsPageChangesInTheSameFile) {
  ASSERT_TRUE(window_.ShowCurrentPage());
  const std::string file = window_.FileName();
  model_.SetCurrentPage(3);
  window_.OnPageChanged();
  EXPECT_EQ(view_.caption, "Third" + Sjis(" - Quillory プレビュー"));
  EXPECT_EQ(view_.loaded_text, BuildPreviewDocument(model_, 3));

  // The command again: no second window, the same file, brought forward.
  model_.MutablePage(3).Topic = "changed";
  ASSERT_TRUE(window_.ShowCurrentPage());
  EXPECT_EQ(view_.creations, 1);
  EXPECT_EQ(window_.FileName(), file);
  EXPECT_NE(view_.loaded_text.find("changed\\par"), std::string::npos);
  EXPECT_EQ(view_.shows, 2);
}

TEST_F(PreviewTest, PreviousAndNextStopAtTheEndsAndWhileThePageIsOut) {
  ASSERT_TRUE(window_.ShowCurrentPage());
  window_.PreviousPage();  // page 1: nothing before it
  EXPECT_TRUE(selected_.empty());
  window_.NextPage();
  window_.NextPage();
  window_.NextPage();  // page 3 is the last
  EXPECT_EQ(selected_, (std::vector<int>{2, 3}));
  EXPECT_EQ(view_.caption, "Third" + Sjis(" - Quillory プレビュー"));

  bool out = true;
  window_.page_out_in_editor = [&out] { return out; };
  window_.PreviousPage();
  EXPECT_EQ(selected_.size(), 2u);
  out = false;
  window_.PreviousPage();
  EXPECT_EQ(selected_, (std::vector<int>{2, 3, 2}));
}

TEST_F(PreviewTest, CloseDeletesTheFileAndStoresThePlace) {
  ASSERT_TRUE(window_.ShowCurrentPage());
  const std::string file = window_.FileName();
  view_.geometry = {30, 40, 500, 300};
  window_.Close();
  EXPECT_FALSE(window_.IsOpen());
  EXPECT_FALSE(FileExists(file));
  EXPECT_EQ(view_.destructions, 1);
  EXPECT_EQ(settings_.GetInt(keys::kPreviewLeft), 30);
  EXPECT_EQ(settings_.GetInt(keys::kPreviewTop), 40);
  EXPECT_EQ(settings_.GetInt(keys::kPreviewWidth), 500);
  EXPECT_EQ(settings_.GetInt(keys::kPreviewHeight), 300);

  // Closed: page changes and a second close do nothing; the next command
  // opens a new window at the stored place on a new file.
  int loads = view_.loads;
  window_.OnPageChanged();
  window_.Close();
  EXPECT_EQ(view_.loads, loads);
  EXPECT_EQ(view_.destructions, 1);
  ASSERT_TRUE(window_.ShowCurrentPage());
  EXPECT_EQ(view_.creations, 2);
  EXPECT_EQ(view_.geometry, (WindowRect{30, 40, 500, 300}));
}

TEST_F(PreviewTest, TextInsetAppliesFromTheFirstActivation) {
  ASSERT_TRUE(window_.ShowCurrentPage());
  window_.OnResized();
  EXPECT_TRUE(view_.insets.empty());
  window_.OnActivated();
  window_.OnResized();
  window_.Refresh();
  EXPECT_EQ(view_.insets, (std::vector<int>{12, 12, 12}));
}

TEST_F(PreviewTest, NoCurrentPageShowsNothing) {
  model_.SetCurrentPage(0);
  EXPECT_FALSE(window_.ShowCurrentPage());
  EXPECT_EQ(view_.creations, 0);
  EXPECT_FALSE(window_.IsOpen());
}

TEST_F(PreviewTest, HelpPreviewWritesTheOnePageFilesAndRegistersTheirNames) {
  settings_.SetBool(keys::kOptionPagePrev, true);
  model_.SetCurrentPage(2);
  PagePreview command(model_, settings_, prompter_, window_);
  std::vector<std::string> help_registered;
  command.register_help_preview_file = [&](const std::string& f) { help_registered.push_back(f); };
  std::string compiled_folder, compiled_base, compiled_hpj, compiled_rtf;
  command.run_preview_compiler = [&](const std::string& folder, const std::string& base) {
    compiled_folder = folder;
    compiled_base = base;
    compiled_hpj = ReadWholeFile(folder + base + ".hpj").value_or("");
    compiled_rtf = ReadWholeFile(folder + base + ".rtf").value_or("");
  };
  ASSERT_TRUE(command.Run());
  EXPECT_FALSE(window_.IsOpen());

  const HelpPreviewFiles& files = command.last_help_preview();
  EXPECT_EQ(help_registered, std::vector<std::string>{files.temp_file});
  EXPECT_EQ(files.folder, temp_.path());
  EXPECT_EQ(files.folder + files.base_name + ".tmp", files.temp_file);
  EXPECT_EQ(files.base_name.substr(0, 3), "~qy");
  EXPECT_EQ(compiled_folder, files.folder);
  EXPECT_EQ(compiled_base, files.base_name);
  EXPECT_EQ(compiled_hpj, BuildPreviewHelpProject(model_, files.base_name, 2, ""));
  EXPECT_EQ(compiled_rtf, BuildPreviewTopicFile(model_, 2));

  // Each run takes a new name.
  ASSERT_TRUE(command.Run());
  EXPECT_EQ(help_registered.size(), 2u);
  EXPECT_NE(help_registered[0], help_registered[1]);
}

TEST_F(PreviewTest, HelpPreviewWithAnUnwritableTemporaryFolderReportsAndStops) {
  settings_.SetBool(keys::kOptionPagePrev, true);
  ::setenv("TMPDIR", (temp_.path() + "missing").c_str(), 1);
  PagePreview command(model_, settings_, prompter_, window_);
  bool compiled = false;
  command.run_preview_compiler = [&](const std::string&, const std::string&) { compiled = true; };
  EXPECT_FALSE(command.Run());
  EXPECT_FALSE(compiled);
  ASSERT_EQ(prompter_.shown.size(), 1u);
  EXPECT_EQ(prompter_.shown[0].kind, "error");
}

}  // namespace
}  // namespace qy
