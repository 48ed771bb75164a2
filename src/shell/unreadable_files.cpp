#include "shell/unreadable_files.h"

#include "core/codec.h"
#include "core/native_path.h"
#include "shell/key_settings.h"

namespace qy {

std::string UnreadableFileMessage(LayoutFileKind kind, const std::string& path,
                                  const std::string& reason) {
  const bool keys = kind == LayoutFileKind::kKeys;
  return "\r\n" + Sjis(keys ? "ショートカットキーの設定ファイル" : "ツールバーの設定ファイル") +
         "\r\n" + PathToSjis(path) + "\r\n" + Sjis("を読み込めませんでした (") + reason + ")" +
         "\r\n\r\n" +
         Sjis(keys ? "既定のショートカットキーを使用します。" : "すべてのボタンを表示します。");
}

std::optional<std::string> KeyFileForShortcuts(const std::string& path, std::string* message) {
  std::string error;
  std::optional<std::string> key_file = LoadKeyFile(path, &error);
  if (error.empty()) return key_file;
  if (message) *message = UnreadableFileMessage(LayoutFileKind::kKeys, path, error);
  return std::nullopt;
}

}  // namespace qy
