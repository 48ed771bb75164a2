#include "build/build_settings.h"

#include <gtest/gtest.h>

#include "build/contents_writer.h"
#include "core/files.h"
#include "support/fakes.h"

namespace qy {
namespace {

class BuildSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    project_.SetProjectFileName(dir_.File("Sample.qyp"));
    project_.ClearPages();
    PageRecord book;
    book.Attribute = BookAttribute(1);
    book.Title = "Empty";
    ASSERT_TRUE(project_.AppendPage(book));
  }
  void WriteSettings(const std::string& text) {
    ASSERT_TRUE(WriteFileAtomic(dir_.File("quillory.ini"), text));
  }
  std::string Written(const std::string& ext) {
    return ReadWholeFile(dir_.File("Sample" + ext)).value_or("<missing>");
  }

  testing::TempDir dir_;
  ProjectModel project_;
  testing::FakeProgress progress_;
};

TEST_F(BuildSettings, BitmapFolderAndNoLowLayerFromTheSettingsFile) {
  Settings missing(dir_.File("quillory.ini"));  // no file: empty folder, NoLowLayer on
  EXPECT_EQ(ReadBitmapPath(missing, project_), "");
  ASSERT_TRUE(WriteContentsFile(project_, missing, progress_));
  EXPECT_EQ(Written(".cnt").find("1 Empty"), std::string::npos);
  ASSERT_TRUE(WriteHelpProject(project_, true, missing, progress_));
  EXPECT_NE(Written(".hpj").find("\r\nBMROOT=\r\nROOT=.\\\r\n"), std::string::npos);

  // The project's own section wins when the project names it.
  WriteSettings(
      "[Etcetera]\r\nBitmapPath=C:\\Shared\r\n[sample.qyp]\r\nBitmapPath=D:\\Own\r\n"
      "[Option]\r\nNoLowLayer=0\r\n");
  Settings settings(dir_.File("quillory.ini"));
  EXPECT_EQ(ReadBitmapPath(settings, project_), "C:\\Shared");
  project_.Header().BitmapSection = "sample.qyp";
  EXPECT_EQ(ReadBitmapPath(settings, project_), "D:\\Own");
  project_.Header().BitmapSection = "";
  ASSERT_TRUE(WriteContentsFile(project_, settings, progress_));
  EXPECT_NE(Written(".cnt").find("\r\n1 Empty\r\n"), std::string::npos);
  ASSERT_TRUE(WritePreviewHelpProject(project_, dir_.path(), "Sample", 1, settings));
  EXPECT_NE(Written(".hpj").find("\r\nBMROOT=C:\\Shared\r\n"), std::string::npos);
}

}  // namespace
}  // namespace qy
