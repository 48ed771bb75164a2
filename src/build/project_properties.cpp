#include "build/project_properties.h"

#include "build/project_options.h"
#include "build/rtf_head.h"
#include "core/codec.h"
#include "core/cp932.h"
#include "core/files.h"
#include "core/native_path.h"
#include "core/settings_keys.h"

namespace qy {

namespace {

constexpr int kOptionWindowsDirect = 5;
constexpr int kOptionConfigDirect = 6;
constexpr int kOptionOwnBitmapFolder = 8;
constexpr char kBitmapPathKey[] = "BitmapPath";

std::string Label(const char* utf8_format, int count) {
  const std::string format = Sjis(utf8_format);
  const std::size_t at = format.find("%d");
  return format.substr(0, at) + std::to_string(count) + format.substr(at + 2);
}

std::string FolderSetMessage(const std::string& folder) {
  return Sjis("収納フォルダを ") + folder + Sjis(" に設定しました。");
}

std::string SettingsWriteFailed(const FileResult& result) {
  return "\r\n" + Sjis("設定ファイルに書き込めませんでした。") + "\r\n\r\n" + Sjis("理由 : ") +
         result.error;
}

// Writes the folder and empties the project's bitmap menu.
FileResult StoreNewFolder(Settings& settings, const std::string& section,
                          const std::string& folder) {
  IniFile& ini = settings.file();
  FileResult result = ini.WriteString(section, kBitmapPathKey, folder);
  for (int i = 1; result && i <= keys::kBitmapEntries; ++i) {
    const std::string n = std::to_string(i);
    for (const char* key : {"BitmapName", "BitmapTitle", "BitmapCheck"}) {
      result = ini.WriteString(section, key + n, "");
      if (!result) break;
    }
  }
  return result;
}

}  // namespace

std::vector<std::string> DefaultFontNames() {
  static const char* const kNames[kFontCount] = {
      "ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝", "ＭＳ ゴシック", "ＭＳ 明朝",   "System",
      "Times New Roman", "Symbol",      "Arial",         "MS UI Gothic"};
  std::vector<std::string> names;
  for (const char* name : kNames) names.push_back(Sjis(name));
  return names;
}

std::vector<std::string> DefaultFontSizeTexts() {
  std::vector<std::string> sizes;
  for (int i = 0; i < kFontSizeCount; ++i)
    sizes.push_back(std::to_string(FontSizeHalfPoints(i) / 2));
  return sizes;
}

std::string ProjectBitmapSection(const ProjectModel& project) {
  return AsciiLower(PathToSjis(FileNameOf(project.ProjectFileName())));
}

std::string ProjectFileNameLabel(const ProjectModel& project) {
  return Sjis("プロジェクトファイル名 :  ") + PathToSjis(FileNameOf(project.ProjectFileName()));
}

std::vector<std::string> PageStatisticsLabels(const ProjectModel& project) {
  int counts[5] = {0, 0, 0, 0, 0};  // Topic, Popup, Content, Include, Book
  for (const auto& page : project.Pages()) {
    const int kind = page.Attribute >= 0 && page.Attribute <= 3 ? page.Attribute : 4;
    ++counts[kind];
  }
  return {Label("全ページ数 :\t\t\t\t\t%dページ", project.PageCount()),
          Label("トピック属性ページ数 :\t\t\t\t%dページ", counts[0]),
          Label("ポップアップ属性ページ数 :\t\t\t%dページ", counts[1]),
          Label("コンテント属性ページ数 :\t\t\t\t%dページ", counts[2]),
          Label("インクルード属性ページ数 :\t\t\t%dページ", counts[3]),
          Label("ブック属性ページ数 :\t\t\t\t%dページ", counts[4])};
}

ProjectPropertiesForm LoadProjectProperties(const ProjectModel& project, const Settings& settings,
                                            Prompter& prompter) {
  const ProjectHeader& h = project.Header();
  ProjectPropertiesForm form;
  form.help_title = h.HelpTitle;
  form.help_copyright = h.HelpCopyright;
  form.font_name_index = h.FontNameIndex;
  form.font_size_index = h.FontSizeIndex;
  form.compress = h.CompressMode == 1 || h.CompressMode == 3;
  form.windows.Load(h.WindowsSection, ProjectOptionOn(h.ProjectOptions, kOptionWindowsDirect),
                    prompter);
  form.config.Load(h.ConfigSection, ProjectOptionOn(h.ProjectOptions, kOptionConfigDirect),
                   prompter);
  form.words.Load(h.Word);
  form.contents_include = ProjectOptionOn(h.ProjectOptions, kOptionContentsInclude);
  form.main_style = DefaultWindowName(h.ProjectOptions);
  form.include_file = ContentsIncludeFile(h.ProjectOptions);
  form.use_default_bitmap_folder = !ProjectOptionOn(h.ProjectOptions, kOptionOwnBitmapFolder);
  form.bitmap_folder =
      settings.file().ReadString(ProjectBitmapSection(project), kBitmapPathKey, "");
  return form;
}

bool ApplyBitmapFolder(const ProjectPropertiesForm& form, ProjectModel& project, Settings& settings,
                       Prompter& prompter, const std::function<void()>& rebuild_bitmap_menu) {
  auto settle = [&](const std::string& section) {
    project.Header().BitmapSection = section;
    if (rebuild_bitmap_menu) rebuild_bitmap_menu();
  };
  if (form.use_default_bitmap_folder) {
    settle(kDefaultBitmapSection);
    return true;
  }
  const std::string& folder = form.bitmap_folder;
  if (folder.empty()) {
    prompter.Information(Sjis("このプロジェクトの画像ファイル収納フォルダが設定されてません。") +
                         "\r\n\r\n" + Sjis("収納フォルダは必ず設定してください。"));
    return false;
  }
  const std::string section = ProjectBitmapSection(project);
  const std::string stored = settings.file().ReadString(section, kBitmapPathKey, "");
  if (!stored.empty() && EqualsIgnoreAsciiCase(stored, folder)) {
    settle(section);
    return true;
  }
  std::string told;
  if (stored.empty()) {
    told = "\r\n" + FolderSetMessage(folder);
  } else {
    const std::string question =
        Sjis("このプロジェクトの画像ファイル収納フォルダの設定が変更されています。") + "\r\n\r\n" +
        Sjis(
            "収納フォルダを変更するとこのプロジェクトの「画像ファイルメニュー」の登録内容がすべ"
            "て") +
        "\r\n" +
        Sjis(
            "クリアされます。このプロジェクトの画像ファイル収納フォルダを変更してよろしいですか？");
    if (prompter.Ask(question, Buttons::kOkCancel, Beep::kExclamation) != Answer::kOk) {
      return false;
    }
    told = FolderSetMessage(folder) + "\r\n\r\n" +
           Sjis("このプロジェクトの「画像ファイルメニュー」の登録内容はクリアされます。");
  }
  // The folder and the cleared menu are written before the message so that
  // a settings file that refuses the write leaves the dialog open.
  if (FileResult written = StoreNewFolder(settings, section, folder); !written) {
    prompter.Error(SettingsWriteFailed(written));
    return false;
  }
  prompter.Information(told);
  settle(section);
  return true;
}

std::string AssembleProjectOptions(const std::string& old_options,
                                   const ProjectPropertiesForm& form) {
  std::string options = old_options.substr(0, 4);
  options.resize(4, '0');
  auto flag = [](bool on) { return on ? '1' : '0'; };
  options += flag(form.windows.direct_edit());
  options += flag(form.config.direct_edit());
  options += flag(form.contents_include);
  options += flag(!form.use_default_bitmap_folder);
  options += form.main_style;
  if (form.contents_include) options += "//" + form.include_file;
  return options;
}

bool ApplyProjectProperties(const ProjectPropertiesForm& form, ProjectModel& project,
                            Settings& settings, Prompter& prompter,
                            const std::function<void()>& rebuild_bitmap_menu) {
  if (!ApplyBitmapFolder(form, project, settings, prompter, rebuild_bitmap_menu)) return false;
  ProjectHeader& h = project.Header();
  h.HelpTitle = form.help_title;
  h.HelpCopyright = form.help_copyright;
  h.FontNameIndex = form.font_name_index;
  h.FontSizeIndex = form.font_size_index;
  h.CompressMode = (h.CompressMode & ~1) | (form.compress ? 1 : 0);
  h.Word = form.words.Text();
  h.WindowsSection = form.windows.SectionText();
  h.ProjectOptions = AssembleProjectOptions(h.ProjectOptions, form);
  h.ConfigSection = form.config.SectionText();
  project.SetModified(true);
  return true;
}

}  // namespace qy
