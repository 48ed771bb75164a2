// The project properties without a window: loading, the configuration and
// word lists, the bitmap folder against the settings file and OK.
#include "build/project_properties.h"

#include <gtest/gtest.h>

#include "build/make_wizard.h"
#include "core/settings.h"
#include "support/fakes.h"

namespace qy {
namespace {

using testing::FakePrompter;
using testing::TempDir;

class ProjectPropertiesTest : public ::testing::Test {
 protected:
  ProjectPropertiesTest() : settings_(dir_.File("quillory.ini")) {
    project_.SetProjectFileName(dir_.File("Guide.qyp"));
  }
  std::string Stored(const std::string& key) {
    return settings_.file().ReadString("guide.qyp", key, "<none>");
  }

  TempDir dir_;
  Settings settings_;
  ProjectModel project_;
  FakePrompter prompter_;
  std::function<void()> rebuild_ = [] {};
};

TEST_F(ProjectPropertiesTest, OkAssemblesOptionsAndDropsTheIncludeNameWhenUnticked) {
  project_.Header().ProjectOptions = "10100010main//other.cnt";
  project_.Header().CompressMode = 2;
  ProjectPropertiesForm form = LoadProjectProperties(project_, settings_, prompter_);
  // OK marks the project modified even when nothing changed.
  const ProjectHeader before = project_.Header();
  ASSERT_TRUE(ApplyProjectProperties(form, project_, settings_, prompter_, rebuild_));
  EXPECT_TRUE(project_.Modified());
  EXPECT_EQ(project_.Header().ProjectOptions, before.ProjectOptions);

  form.contents_include = false;
  form.main_style = "big";
  form.compress = true;
  ASSERT_TRUE(ApplyProjectProperties(form, project_, settings_, prompter_, rebuild_));
  EXPECT_EQ(project_.Header().ProjectOptions, "10100000big");
  EXPECT_EQ(project_.Header().CompressMode, 3);
}

TEST_F(ProjectPropertiesTest, HandEditedWindowsSectionSurvivesOk) {
  project_.Header().WindowsSection = "main=\"A, B\",,27648,(r1),(r2)";
  ProjectPropertiesForm form = LoadProjectProperties(project_, settings_, prompter_);
  ASSERT_TRUE(ApplyProjectProperties(form, project_, settings_, prompter_, rebuild_));
  EXPECT_EQ(project_.Header().WindowsSection, "main=\"A, B\",,27648,(r1),(r2)");
  EXPECT_EQ(project_.Header().ProjectOptions, "00001000main");
}

TEST_F(ProjectPropertiesTest, ConfigBoxesAndTheirText) {
  ConfigEditor config;
  ASSERT_TRUE(
      config.Load(std::string(kBrowseButtonsLine) + "\r\n" + ExitButtonLine(), false, prompter_));
  config.SetBrowse(false);
  EXPECT_EQ(config.SectionText(), ExitButtonLine());
  // Macros the boxes can not stand for keep the text editor open on them.
  const std::string foreign = "BrowseButtons()\r\nRegisterRoutine(\"x\")";
  EXPECT_FALSE(config.Load(foreign, false, prompter_));
  EXPECT_TRUE(config.direct_edit());
  EXPECT_EQ(config.SectionText(), foreign);
}

TEST_F(ProjectPropertiesTest, BitmapFolderFirstTimeIsStoredAndTheMenuCleared) {
  ASSERT_TRUE(settings_.file().WriteString("guide.qyp", "BitmapName3", "old.bmp"));
  ProjectPropertiesForm form = LoadProjectProperties(project_, settings_, prompter_);
  form.use_default_bitmap_folder = false;
  form.bitmap_folder = "";
  EXPECT_FALSE(ApplyProjectProperties(form, project_, settings_, prompter_, rebuild_));
  EXPECT_FALSE(project_.Modified());

  form.bitmap_folder = "/pics";
  ASSERT_TRUE(ApplyProjectProperties(form, project_, settings_, prompter_, rebuild_));
  EXPECT_EQ(Stored("BitmapPath"), "/pics");
  EXPECT_EQ(Stored("BitmapName3"), "");
  EXPECT_EQ(project_.Header().BitmapSection, "guide.qyp");
  EXPECT_EQ(project_.Header().ProjectOptions, "00000001main");
}

TEST_F(ProjectPropertiesTest, BitmapFolderChangeNeedsConfirmation) {
  ASSERT_TRUE(settings_.file().WriteString("guide.qyp", "BitmapPath", "/old"));
  ASSERT_TRUE(settings_.file().WriteString("guide.qyp", "BitmapName1", "a.bmp"));
  ProjectPropertiesForm form = LoadProjectProperties(project_, settings_, prompter_);
  form.use_default_bitmap_folder = false;
  form.bitmap_folder = "/new";
  prompter_.answers = {Answer::kCancel};
  EXPECT_FALSE(ApplyProjectProperties(form, project_, settings_, prompter_, rebuild_));
  EXPECT_EQ(Stored("BitmapPath"), "/old");
  EXPECT_EQ(Stored("BitmapName1"), "a.bmp");
  EXPECT_FALSE(project_.Modified());

  ASSERT_TRUE(ApplyProjectProperties(form, project_, settings_, prompter_, rebuild_));
  EXPECT_EQ(Stored("BitmapName1"), "");

  // The same folder but for letter case clears nothing.
  ASSERT_TRUE(settings_.file().WriteString("guide.qyp", "BitmapName1", "a.bmp"));
  form.bitmap_folder = "/NEW";
  ASSERT_TRUE(ApplyProjectProperties(form, project_, settings_, prompter_, rebuild_));
  EXPECT_EQ(Stored("BitmapName1"), "a.bmp");
  EXPECT_EQ(Stored("BitmapPath"), "/new");
}

TEST(MakeWizardChoicesTest, ModifiedOnlyWhenABoxChanged) {
  ProjectModel project;
  project.Header().ProjectOptions = "20000000main//inc.cnt";
  project.Header().CompressMode = 3;
  const MakeWizardChoices opened = LoadMakeWizardChoices(project.Header());
  EXPECT_TRUE(opened.no_contents_file);  // any character but "0" is on

  EXPECT_FALSE(StoreMakeWizardChoices(opened, opened, project));
  EXPECT_FALSE(project.Modified());
  EXPECT_EQ(project.Header().ProjectOptions, "10000000main//inc.cnt");

  MakeWizardChoices chosen = opened;
  chosen.always_compress = false;
  chosen.save_first = true;
  EXPECT_TRUE(StoreMakeWizardChoices(chosen, opened, project));
  EXPECT_TRUE(project.Modified());
  EXPECT_EQ(project.Header().ProjectOptions, "10010000main//inc.cnt");
  EXPECT_EQ(project.Header().CompressMode, 1);

  ProjectModel short_options;
  short_options.Header().ProjectOptions = "1";
  StoreMakeWizardChoices(MakeWizardChoices{}, LoadMakeWizardChoices(short_options.Header()),
                         short_options);
  EXPECT_EQ(short_options.Header().ProjectOptions, "0000");
}

}  // namespace
}  // namespace qy
