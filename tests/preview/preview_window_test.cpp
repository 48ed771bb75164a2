// The preview command in both modes and the preview window's state and
// commands, against a recording window.
#include "preview/preview_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "build/preview_help_project_writer.h"
#include "build/preview_topic_writer.h"
#include "core/files.h"
#include "core/settings_keys.h"
#include "preview/page_preview.h"
#include "preview/preview_document.h"
#include "support/fakes.h"

namespace qy {
namespace {

class RecordingView : public PreviewView {
 public:
  void Create(const WindowRect& place) override { ++creations, geometry = place; }
  void SetCaption(const std::string&) override {}
  void LoadRtfFile(const std::string& file) override {
    loaded_text = ReadWholeFile(file).value_or("<unreadable>");
    ++loads;
  }
  void ShowAndRaise() override {}
  void SetStayOnTop(bool) override {}
  void SetTextInset(int) override {}
  WindowRect Geometry() const override { return geometry; }
  void Destroy() override { ++destructions; }

  int creations = 0, loads = 0, destructions = 0;
  WindowRect geometry;
  std::string loaded_text;
};

// Temporary files go to a folder of the test's own; the process keeps that
// TMPDIR afterwards, which is harmless as each test sets its own.
class PreviewTest : public ::testing::Test {
 protected:
  PreviewTest() {
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
  ~PreviewTest() override { ::unsetenv("TMPDIR"); }

  testing::TempDir temp_, config_;
  Settings settings_{config_.File("quillory.ini")};
  ProjectModel model_;
  RecordingView view_;
  testing::FakePrompter prompter_;
  PreviewWindow window_{model_, view_, prompter_, settings_};
  std::vector<std::string> registered_;
  std::vector<int> selected_;
};

TEST_F(PreviewTest, WindowOpensOnATemporaryFileAndFollowsPageChanges) {
  PagePreview command(model_, settings_, prompter_, window_);
  ASSERT_TRUE(command.Run());
  const std::string file = window_.FileName();
  EXPECT_EQ(FileNameOf(file).substr(0, 3), "~qy");
  EXPECT_EQ(FolderOf(file), temp_.path());
  EXPECT_EQ(registered_, std::vector<std::string>{file});
  model_.SetCurrentPage(3);
  window_.OnPageChanged();
  EXPECT_EQ(view_.loaded_text, BuildPreviewDocument(model_, 3));
  // The command again: no second window, the same file, brought forward.
  model_.MutablePage(3).Topic = "changed";
  ASSERT_TRUE(window_.ShowCurrentPage());
  EXPECT_EQ(view_.creations, 1);
  EXPECT_EQ(window_.FileName(), file);
  EXPECT_EQ(view_.loaded_text, BuildPreviewDocument(model_, 3));
  // Previous and next stop at the ends and while the page is out.
  bool out = true;
  window_.page_out_in_editor = [&out] { return out; };
  window_.NextPage();
  window_.PreviousPage();
  out = false;
  for (int i = 0; i < 3; ++i) window_.PreviousPage();
  window_.NextPage();
  EXPECT_EQ(selected_, (std::vector<int>{2, 1, 2}));
}

TEST_F(PreviewTest, CloseDeletesTheFileStoresThePlaceAndReopensThere) {
  model_.SetCurrentPage(0);
  EXPECT_FALSE(window_.ShowCurrentPage()) << "no current page shows nothing";
  model_.SetCurrentPage(1);
  ASSERT_TRUE(window_.ShowCurrentPage());
  const std::string file = window_.FileName();
  view_.geometry = {30, 40, 500, 300};
  window_.Close();
  EXPECT_FALSE(window_.IsOpen());
  EXPECT_FALSE(FileExists(file));
  // Closed: page changes and a second close do nothing.
  window_.OnPageChanged();
  window_.Close();
  EXPECT_EQ(view_.loads, 1);
  EXPECT_EQ(view_.destructions, 1);
  ASSERT_TRUE(window_.ShowCurrentPage());
  EXPECT_EQ(view_.creations, 2);
  EXPECT_EQ(view_.geometry, (WindowRect{30, 40, 500, 300}));
}

TEST_F(PreviewTest, HelpPreviewWritesTheOnePageFilesUnderANewNameEachRun) {
  settings_.SetBool(keys::kOptionPagePrev, true);
  model_.SetCurrentPage(2);
  PagePreview command(model_, settings_, prompter_, window_);
  std::vector<std::string> registered;
  command.register_help_preview_file = [&](const std::string& f) { registered.push_back(f); };
  std::string compiled_hpj, compiled_rtf;
  command.run_preview_compiler = [&](const std::string& folder, const std::string& base) {
    compiled_hpj = ReadWholeFile(folder + base + ".hpj").value_or("");
    compiled_rtf = ReadWholeFile(folder + base + ".rtf").value_or("");
  };
  ASSERT_TRUE(command.Run());
  EXPECT_FALSE(window_.IsOpen());
  const HelpPreviewFiles& files = command.last_help_preview();
  EXPECT_EQ(registered, std::vector<std::string>{files.temp_file});
  EXPECT_EQ(files.temp_file, temp_.path() + "~qy" + files.base_name.substr(3) + ".tmp");
  EXPECT_EQ(compiled_hpj, BuildPreviewHelpProject(model_, files.base_name, 2, ""));
  EXPECT_EQ(compiled_rtf, BuildPreviewTopicFile(model_, 2));
  ASSERT_TRUE(command.Run());
  ASSERT_EQ(registered.size(), 2u);
  EXPECT_NE(registered[0], registered[1]);
  // An unwritable temporary folder is reported and nothing is compiled;
  // the preview window does not open either.
  ::setenv("TMPDIR", (temp_.path() + "missing").c_str(), 1);
  compiled_hpj = "none";
  EXPECT_FALSE(command.Run());
  EXPECT_EQ(compiled_hpj, "none");
  settings_.SetBool(keys::kOptionPagePrev, false);
  EXPECT_FALSE(window_.ShowCurrentPage());
  EXPECT_FALSE(window_.IsOpen());
  EXPECT_EQ(prompter_.Texts().size(), 2u);
  EXPECT_EQ(prompter_.shown[0].kind, "error");
}

}  // namespace
}  // namespace qy
