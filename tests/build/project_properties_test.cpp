// The project properties without a window: loading, the configuration and
// word lists, the bitmap folder against the settings file and OK.
#include "build/project_properties.h"

#include <gtest/gtest.h>

#include "build/make_wizard.h"
#include "core/codec.h"
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
  int rebuilds_ = 0;
  std::function<void()> rebuild_ = [this] { ++rebuilds_; };
};

TEST_F(ProjectPropertiesTest, StatisticsCountPagesByKind) {
  project_.ClearPages();
  for (PageAttribute a : {kTopicPage, kTopicPage, kPopupPage, BookAttribute(2)}) {
    PageRecord page = project_.MakeNewPage();
    page.Attribute = a;
    ASSERT_TRUE(project_.AppendPage(page));
  }
  std::vector<std::string> labels = PageStatisticsLabels(project_);
  ASSERT_EQ(labels.size(), 6u);
  EXPECT_EQ(labels[0], Sjis("全ページ数 :\t\t\t\t\t4ページ"));
  EXPECT_EQ(labels[1], Sjis("トピック属性ページ数 :\t\t\t\t2ページ"));
  EXPECT_EQ(labels[2], Sjis("ポップアップ属性ページ数 :\t\t\t1ページ"));
  EXPECT_EQ(labels[3], Sjis("コンテント属性ページ数 :\t\t\t\t0ページ"));
  EXPECT_EQ(labels[5], Sjis("ブック属性ページ数 :\t\t\t\t1ページ"));
  EXPECT_EQ(ProjectFileNameLabel(project_), Sjis("プロジェクトファイル名 :  Guide.qyp"));
}

TEST_F(ProjectPropertiesTest, OkAssemblesOptionsAndDropsTheIncludeNameWhenUnticked) {
  project_.Header().ProjectOptions = "10100010main//other.cnt";
  project_.Header().CompressMode = 2;
  ProjectPropertiesForm form = LoadProjectProperties(project_, settings_, prompter_);
  EXPECT_TRUE(form.contents_include);
  EXPECT_EQ(form.main_style, "main");
  EXPECT_EQ(form.include_file, "other.cnt");
  EXPECT_FALSE(form.compress);

  form.contents_include = false;
  form.main_style = "big";
  form.compress = true;
  ASSERT_TRUE(ApplyProjectProperties(form, project_, settings_, prompter_, rebuild_));
  EXPECT_EQ(project_.Header().ProjectOptions, "10100000big");
  EXPECT_EQ(project_.Header().CompressMode, 3);
  EXPECT_EQ(rebuilds_, 1);
  EXPECT_EQ(project_.Header().BitmapSection, "Etcetera");

  form.contents_include = true;
  form.compress = false;
  ASSERT_TRUE(ApplyProjectProperties(form, project_, settings_, prompter_, rebuild_));
  EXPECT_EQ(project_.Header().ProjectOptions, "10100010big//other.cnt");
  EXPECT_EQ(project_.Header().CompressMode, 2);
}

TEST_F(ProjectPropertiesTest, OkMarksModifiedEvenWithoutChanges) {
  ProjectPropertiesForm form = LoadProjectProperties(project_, settings_, prompter_);
  ASSERT_FALSE(project_.Modified());
  const ProjectHeader before = project_.Header();
  ASSERT_TRUE(ApplyProjectProperties(form, project_, settings_, prompter_, rebuild_));
  EXPECT_TRUE(project_.Modified());
  EXPECT_EQ(project_.Header(), before);
}

TEST_F(ProjectPropertiesTest, HandEditedWindowsSectionSurvivesOk) {
  project_.Header().WindowsSection = "main=\"A, B\",,27648,(r1),(r2)";
  ProjectPropertiesForm form = LoadProjectProperties(project_, settings_, prompter_);
  EXPECT_TRUE(form.windows.direct_edit());
  ASSERT_TRUE(ApplyProjectProperties(form, project_, settings_, prompter_, rebuild_));
  EXPECT_EQ(project_.Header().WindowsSection, "main=\"A, B\",,27648,(r1),(r2)");
  EXPECT_EQ(project_.Header().ProjectOptions, "00001000main");
}

TEST_F(ProjectPropertiesTest, ConfigBoxesAndTheirText) {
  ConfigEditor config;
  const std::string both = std::string(kBrowseButtonsLine) + "\r\n" + ExitButtonLine();
  ASSERT_TRUE(config.Load(both, false, prompter_));
  EXPECT_TRUE(config.browse());
  EXPECT_TRUE(config.exit_button());
  config.SetBrowse(false);
  EXPECT_EQ(config.SectionText(), ExitButtonLine());
  ASSERT_TRUE(config.SetDirectEdit(true, prompter_));
  EXPECT_EQ(config.memo(), ExitButtonLine());
  EXPECT_EQ(prompter_.shown.back().text, Sjis("現在のボタン設定は破棄されます。") + "\r\n\r\n" +
                                             Sjis("直接編集を許可しますか？"));
  ASSERT_FALSE(config.SetDirectEdit(false, prompter_));
  EXPECT_EQ(config.SectionText(), "");

  // Macros the boxes can not stand for keep the text editor open on them.
  FakePrompter prompter;
  const std::string foreign = "BrowseButtons()\r\nRegisterRoutine(\"x\")";
  EXPECT_FALSE(config.Load(foreign, false, prompter));
  EXPECT_TRUE(config.direct_edit());
  EXPECT_EQ(config.SectionText(), foreign);
  EXPECT_EQ(prompter.shown.size(), 1u);
}

TEST_F(ProjectPropertiesTest, WordListLimitsAndMoves) {
  WordList words;
  words.Load("one\r\ntwo");
  EXPECT_FALSE(words.Add("", prompter_));
  for (int i = 3; i <= kMaxWords; ++i) ASSERT_TRUE(words.Add(std::to_string(i), prompter_));
  EXPECT_FALSE(words.Add("eleven", prompter_));
  EXPECT_EQ(prompter_.Texts().back(), Sjis("よく使う言葉が10個登録されています。") + "\r\n\r\n" +
                                          Sjis("これ以上よく使う言葉を追加できません。"));
  words.Select(0);
  EXPECT_FALSE(words.MoveUp(prompter_));
  EXPECT_EQ(prompter_.Texts().back(), "\r\n" + Sjis("この言葉はリストの先頭にあります。"));
  ASSERT_TRUE(words.MoveDown(prompter_));
  EXPECT_EQ(words.words()[1], "one");
  EXPECT_EQ(words.selected(), 1);
  ASSERT_TRUE(words.DeleteSelected());
  EXPECT_EQ(words.selected(), 0);
  EXPECT_EQ(words.Text().substr(0, 5), "two\r\n");
  words.Select(static_cast<int>(words.words().size()) - 1);
  EXPECT_FALSE(words.MoveDown(prompter_));
  EXPECT_EQ(prompter_.Texts().back(), "\r\n" + Sjis("この言葉はリストの最後にあります。"));
}

TEST_F(ProjectPropertiesTest, BitmapFolderFirstTimeIsStoredAndTheMenuCleared) {
  ASSERT_TRUE(settings_.file().WriteString("guide.qyp", "BitmapName3", "old.bmp"));
  ProjectPropertiesForm form = LoadProjectProperties(project_, settings_, prompter_);
  form.use_default_bitmap_folder = false;
  form.bitmap_folder = "";
  EXPECT_FALSE(ApplyProjectProperties(form, project_, settings_, prompter_, rebuild_));
  EXPECT_FALSE(project_.Modified());
  EXPECT_EQ(prompter_.shown.back().kind, "info");

  form.bitmap_folder = "/pics";
  ASSERT_TRUE(ApplyProjectProperties(form, project_, settings_, prompter_, rebuild_));
  EXPECT_EQ(prompter_.Texts().back(), "\r\n" + Sjis("収納フォルダを /pics に設定しました。"));
  EXPECT_EQ(Stored("BitmapPath"), "/pics");
  EXPECT_EQ(Stored("BitmapName3"), "");
  EXPECT_EQ(Stored("BitmapCheck9"), "");
  EXPECT_EQ(project_.Header().BitmapSection, "guide.qyp");
  EXPECT_EQ(project_.Header().ProjectOptions, "00000001main");
}

TEST_F(ProjectPropertiesTest, BitmapFolderSameButForCaseClearsNothing) {
  ASSERT_TRUE(settings_.file().WriteString("guide.qyp", "BitmapPath", "/Pics"));
  ASSERT_TRUE(settings_.file().WriteString("guide.qyp", "BitmapName1", "a.bmp"));
  ProjectPropertiesForm form = LoadProjectProperties(project_, settings_, prompter_);
  form.use_default_bitmap_folder = false;
  form.bitmap_folder = "/PICS";
  ASSERT_TRUE(ApplyProjectProperties(form, project_, settings_, prompter_, rebuild_));
  EXPECT_TRUE(prompter_.shown.empty());
  EXPECT_EQ(Stored("BitmapName1"), "a.bmp");
  EXPECT_EQ(Stored("BitmapPath"), "/Pics");
  EXPECT_EQ(rebuilds_, 1);
}

TEST_F(ProjectPropertiesTest, BitmapFolderChangeNeedsConfirmation) {
  ASSERT_TRUE(settings_.file().WriteString("guide.qyp", "BitmapPath", "/old"));
  ASSERT_TRUE(settings_.file().WriteString("guide.qyp", "BitmapName1", "a.bmp"));
  ProjectPropertiesForm form = LoadProjectProperties(project_, settings_, prompter_);
  EXPECT_EQ(form.bitmap_folder, "/old");
  form.use_default_bitmap_folder = false;
  form.bitmap_folder = "/new";
  prompter_.answers = {Answer::kCancel};
  EXPECT_FALSE(ApplyProjectProperties(form, project_, settings_, prompter_, rebuild_));
  EXPECT_EQ(prompter_.shown.back().buttons, Buttons::kOkCancel);
  EXPECT_EQ(Stored("BitmapPath"), "/old");
  EXPECT_FALSE(project_.Modified());
  EXPECT_EQ(rebuilds_, 0);

  ASSERT_TRUE(ApplyProjectProperties(form, project_, settings_, prompter_, rebuild_));
  EXPECT_EQ(Stored("BitmapPath"), "/new");
  EXPECT_EQ(Stored("BitmapName1"), "");
  EXPECT_EQ(prompter_.Texts().back(),
            Sjis("収納フォルダを /new に設定しました。") + "\r\n\r\n" +
                Sjis("このプロジェクトの「画像ファイルメニュー」の登録内容はクリアされます。"));
}

TEST(MakeWizardChoicesTest, ModifiedOnlyWhenABoxChanged) {
  ProjectModel project;
  project.Header().ProjectOptions = "20000000main//inc.cnt";
  project.Header().CompressMode = 3;
  const MakeWizardChoices opened = LoadMakeWizardChoices(project.Header());
  EXPECT_TRUE(opened.no_contents_file);  // any character but "0" is on
  EXPECT_TRUE(opened.always_compress);

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
