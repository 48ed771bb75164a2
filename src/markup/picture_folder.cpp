#include "markup/picture_folder.h"

#include "core/codec.h"
#include "core/files.h"
#include "core/native_path.h"
#include "core/settings_keys.h"

namespace qy {

std::string PictureSection(const ProjectModel& project) {
  const std::string& section = project.Header().BitmapSection;
  return section.empty() ? std::string(kDefaultBitmapSection) : section;
}

std::string PictureFolder(const Settings& settings, const std::string& section) {
  return PathFromSjis(settings.file().ReadString(section, "BitmapPath", ""));
}

namespace {

FileResult ClearRegisteredPictures(IniFile& ini, const std::string& section) {
  for (int i = 1; i <= keys::kBitmapEntries; ++i) {
    for (auto key : {keys::EtceteraBitmapName(i), keys::EtceteraBitmapTitle(i),
                     keys::EtceteraBitmapCheck(i)}) {
      if (FileResult r = ini.WriteString(section, key.key, ""); !r) return r;
    }
  }
  return FileResult::Ok();
}

}  // namespace

bool CheckPictureFolder(Settings& settings, const std::string& section, Prompter& prompter,
                        FileChooser& chooser, const std::function<void()>& rebuild_menus) {
  const std::string folder = PictureFolder(settings, section);
  if (!folder.empty() && DirectoryExists(folder)) return true;

  prompter.Warning(Sjis("収納フォルダ ") + PathToSjis(folder) + Sjis(" は存在しません。") +
                   "\r\n\r\n" + Sjis("画像ファイル収納フォルダを設定します。"));
  const std::optional<std::string> chosen = chooser.ChooseFolder(
      Sjis("\"画像ファイル収納フォルダ\" にするフォルダを選択してください。"), folder);
  if (!chosen || chosen->empty()) {
    prompter.Information("\r\n" + Sjis("収納フォルダを設定しませんでした。"));
    return false;
  }

  IniFile& ini = settings.file();
  FileResult written = ini.WriteString(section, "BitmapPath", PathToSjis(*chosen));
  if (written) written = ClearRegisteredPictures(ini, section);
  if (!written) {
    prompter.Error(Sjis("設定ファイルに書き込めませんでした。") + "\r\n" + PathToSjis(ini.path()) +
                   "\r\n" + written.error);
    if (rebuild_menus) rebuild_menus();
    return false;
  }
  prompter.Information(Sjis("収納フォルダを ") + PathToSjis(*chosen) + Sjis(" に設定しました。") +
                       "\r\n\r\n" + Sjis("｢画像ファイルメニュー｣ の登録内容はクリアされます。"));
  if (rebuild_menus) rebuild_menus();
  return true;
}

}  // namespace qy
