#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/codec.h"
#include "core/files.h"
#include "core/memory_editor.h"
#include "core/settings.h"
#include "markup/picture_dialog.h"
#include "markup/picture_folder.h"
#include "markup/picture_menu.h"
#include "support/fakes.h"

namespace qy {
namespace {

using testing::FakePrompter;
using testing::TempDir;

class ScriptedChooser : public FileChooser {
 public:
  std::optional<std::string> ChooseOpenFile(const FileDialogOptions&) override { return {}; }
  std::optional<std::string> ChooseSaveFile(const FileDialogOptions&) override { return {}; }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override {
    return folder;
  }
  std::optional<std::string> folder;
};

class PictureFolderTest : public ::testing::Test {
 protected:
  PictureFolderTest() : settings(dir.File("quillory.ini")) {
    IniFile& ini = settings.file();
    ini.WriteString("proj.qyp", "BitmapPath", dir.File("gone"));
    ini.WriteString("proj.qyp", "BitmapName1", "logo.bmp");
    ini.WriteString("proj.qyp", "BitmapTitle1", "Logo");
    ini.WriteString("proj.qyp", "BitmapCheck1", "True");
    ini.WriteString("proj.qyp", "BitmapTitle9", "Last");
    ini.WriteString("Etcetera", "BitmapTitle2", "Other section");
  }
  bool Check() {
    return CheckPictureFolder(settings, "proj.qyp", prompter, chooser, [&] { ++rebuilds; });
  }

  TempDir dir;
  Settings settings;
  FakePrompter prompter;
  ScriptedChooser chooser;
  int rebuilds = 0;
};

TEST_F(PictureFolderTest, MissingFolderIsChosenAgainOrTheCommandStops) {
  EXPECT_FALSE(Check());  // the choice is cancelled: everything stays
  EXPECT_EQ(settings.file().ReadString("proj.qyp", "BitmapTitle1"), "Logo");
  EXPECT_EQ(rebuilds, 0);

  chooser.folder = dir.File("new");
  EXPECT_TRUE(Check());
  const IniFile& ini = settings.file();
  EXPECT_EQ(ini.ReadString("proj.qyp", "BitmapPath"), dir.File("new"));
  for (const char* key : {"BitmapName", "BitmapTitle", "BitmapCheck"}) {
    for (int i = 1; i <= 9; ++i) {
      EXPECT_EQ(ini.ReadString("proj.qyp", key + std::to_string(i), "x"), "") << key << i;
    }
  }
  // Another project's section is not touched.
  EXPECT_EQ(ini.ReadString("Etcetera", "BitmapTitle2"), "Other section");
  EXPECT_EQ(rebuilds, 1);
}

TEST_F(PictureFolderTest, MenuEntriesAndTheirInsertion) {
  const auto entries = PictureMenuEntries(settings, "proj.qyp");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].index, 9);
  EXPECT_EQ(RegisteredPictureText(settings, "proj.qyp", 1), "\\{bmct logo.bmp\\}");
  settings.file().WriteString("proj.qyp", "BitmapCheck1", "true");
  EXPECT_EQ(RegisteredPictureText(settings, "proj.qyp", 9), "");  // no file name
  MemoryEditor editor("ab");
  editor.SetSelStart(1);
  EXPECT_FALSE(InsertRegisteredPicture(editor, kIncludePage, settings, "proj.qyp", 1));
  EXPECT_TRUE(InsertRegisteredPicture(editor, kContentPage, settings, "proj.qyp", 1));
  EXPECT_EQ(editor.Text(), "a\\{bmc logo.bmp\\}b");
}

TEST(PictureDialog, InsertionText) {
  EXPECT_EQ(PictureInsertionText(PicturePosition::kRight, true, "logo.bmp"), "\\{bmrt logo.bmp\\}");
  MemoryEditor editor("ab");
  editor.SetSelStart(1);
  editor.SetSelLength(1);
  InsertPicture(editor, PicturePosition::kCurrent, true, "図.bmp");  // a native (UTF-8) name
  EXPECT_EQ(editor.Text(), "a\\{bmct " + Sjis("図") + ".bmp\\}");
}

TEST(PictureDialog, ListsPicturesOfAnyLetterCase) {
  TempDir dir;
  for (const char* name : {"b.BMP", "a.shg", "c.Wmf", "d.txt", "e.bmp.bak"}) {
    std::ofstream(dir.File(name)) << "x";
  }
  std::filesystem::create_directory(dir.File("f.bmp"));
  EXPECT_EQ(ListPictureFiles(dir.path()), (std::vector<std::string>{"a.shg", "b.BMP", "c.Wmf"}));
}

TEST(PictureDialog, PathGivesWayFolderByFolder) {
  std::vector<std::string> tried;
  auto wider_than = [&](std::size_t limit) {
    return [&tried, limit](const std::string& label) {
      tried.push_back(label);
      return label.size() >= limit;
    };
  };
  const std::string path = "C:\\Program Files\\Help\\Pics\\logo.bmp";
  const std::size_t prefix = FullPathLabel("").size();
  EXPECT_EQ(ShortenPathLabel(path, wider_than(prefix + 21)), "C:\\...\\Pics\\logo.bmp");
  EXPECT_EQ(tried.back(), FullPathLabel("C:\\...\\Pics\\logo.bmp"));
  // 表 is 0x95 0x5C in Shift-JIS: no folder ends there.
  const std::string no_folder = "C:\\abcd" + Sjis("表表") + "logo.bmp";
  EXPECT_EQ(ShortenPathLabel(no_folder, wider_than(0)), no_folder);
}

class ScriptedRunner : public ProcessRunner {
 public:
  ProcessResult Start(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& working_dir, bool wait) override {
    calls.push_back(program + "|" + working_dir + "|" + (wait ? "wait" : "nowait"));
    args = arguments;
    if (produce) std::ofstream(working_dir + produce) << "picture";
    ProcessResult r;
    r.started = start;
    return r;
  }
  bool ShellOpen(const std::string&, const std::string&) override { return false; }
  std::vector<std::string> calls;
  std::vector<std::string> args;
  const char* produce = nullptr;
  bool start = true;
};

TEST(PicturePreview, BitmapsAreDrawnDirectlyAndShgNeedsAWorkingEditor) {
  TempDir dir;
  std::ofstream(dir.File("a.Bmp")) << "x";
  ScriptedRunner runner;
  PicturePreviewer previewer(runner, "C:\\Tools\\shed.exe");
  EXPECT_EQ(previewer.Preview(dir.File("a.Bmp")).image, dir.File("a.Bmp"));
  EXPECT_EQ(previewer.Preview("x.SHG").kind, PicturePreviewKind::kText);  // not shg_edit
  EXPECT_TRUE(runner.calls.empty());
  runner.start = false;
  EXPECT_EQ(PicturePreviewer(runner, "SHG_EDIT.EXE").Preview("p.shg").kind,
            PicturePreviewKind::kNothing);
}

TEST(PicturePreview, ShgIsConvertedByTheHotspotEditorAndCleanedUp) {
  TempDir dir;
  ScriptedRunner runner;
  runner.produce = "~TMP_001.WMF";
  {
    PicturePreviewer previewer(runner, dir.File("shg_edit.exe"));
    EXPECT_EQ(previewer.Preview("p.shg").image, dir.File("~TMP_001.WMF"));
    EXPECT_EQ(runner.calls.at(0), dir.File("shg_edit.exe") + "|" + dir.path() + "|wait");
    EXPECT_EQ(runner.args, (std::vector<std::string>{"p.shg", "/C"}));

    // A later conversion that leaves nothing must not show the old picture.
    runner.produce = nullptr;
    EXPECT_EQ(previewer.Preview("q.shg").kind, PicturePreviewKind::kNothing);
    runner.produce = "~TMP_001.BMP";
    EXPECT_EQ(previewer.Preview("q.shg").image, dir.File("~TMP_001.BMP"));
  }
  EXPECT_FALSE(FileExists(dir.File("~TMP_001.BMP")));
  EXPECT_FALSE(FileExists(dir.File("~TMP_001.WMF")));
}

}  // namespace
}  // namespace qy
