#include "macro/macro_run_settings.h"

#include <algorithm>

#include "core/codec.h"
#include "core/cp932.h"
#include "core/native_path.h"
#include "core/settings_keys.h"

namespace qy {

std::optional<std::string> MacroTitleLine(std::string_view source) {
  const std::string_view line = source.substr(0, source.find_first_of("\r\n"));
  if (line.size() < 4 || AsciiUpper(line.substr(0, 4)) != "//T=") return std::nullopt;
  // An empty title would make a blank menu item: the file name serves then.
  if (line.size() == 4) return std::nullopt;
  return std::string(line.substr(4));
}

std::optional<std::string> ReadMacroTitle(const std::string& native_path) {
  const std::optional<std::string> text = ReadWholeFile(native_path);
  if (!text) return std::nullopt;
  return MacroTitleLine(*text);
}

namespace {

std::string Quoted(const std::string& item) {
  std::string out;
  for (char c : item) {
    out += c;
    if (c == '"') out += '"';
  }
  return out;
}

}  // namespace

std::string FormatMacroMenuValue(const MacroRegistration& registration) {
  return "\"\"" + Quoted(registration.file) + "\",\"" + Quoted(registration.title) + "\"\"";
}

MacroRegistration ParseMacroMenuValue(const std::string& value) {
  const std::vector<std::string> items = SplitCommaText(value);
  MacroRegistration r;
  if (!items.empty()) r.file = items[0];
  if (items.size() > 1) r.title = items[1];
  return r;
}

MacroRegistration ReadMacroRegistration(const Settings& settings, int n) {
  if (n < 0 || n >= keys::kMacroMenuEntries) return {};
  return ParseMacroMenuValue(settings.GetString(keys::MacroMenu(n)));
}

std::vector<MacroRegistration> ReadMacroRegistrations(const Settings& settings) {
  const int count = std::clamp(settings.GetInt(keys::kMacroCount), 0, keys::kMacroMenuEntries);
  std::vector<MacroRegistration> list;
  for (int n = 0; n < count; ++n) list.push_back(ReadMacroRegistration(settings, n));
  return list;
}

FileResult WriteMacroRegistrations(Settings& settings,
                                   const std::vector<MacroRegistration>& registrations) {
  const int count = std::min(static_cast<int>(registrations.size()), keys::kMacroMenuEntries);
  if (FileResult r = settings.SetInt(keys::kMacroCount, count); !r) return r;
  for (int n = 0; n < keys::kMacroMenuEntries; ++n) {
    const std::string value =
        n < count ? FormatMacroMenuValue(registrations[static_cast<std::size_t>(n)]) : "";
    if (FileResult r = settings.SetString(keys::MacroMenu(n), value); !r) return r;
  }
  return FileResult::Ok();
}

FileResult ClearMacroRegistrations(Settings& settings) {
  return WriteMacroRegistrations(settings, {});
}

std::string MacroFolder(const Settings& settings) {
  return PathFromSjis(settings.GetString(keys::kMacroFold));
}

std::string MacroPath(const std::string& native_folder, const std::string& native_file) {
#ifdef _WIN32
  constexpr char kSeparator = '\\';
#else
  constexpr char kSeparator = '/';
#endif
  std::string path = native_folder;
  if (path.empty() || (path.back() != '\\' && path.back() != '/')) path += kSeparator;
  return path + native_file;
}

std::string RegisteredMacroHint(const std::string& title) {
  return Sjis("QYマクロ ") + "\"" + title + "\"" + Sjis(" を実行します。");
}

std::optional<std::string> LastMacroHint(const Settings& settings) {
  const std::string last = settings.GetString(keys::kMacroLastMacro);
  if (last.empty()) return std::nullopt;
  const std::string path = MacroPath(MacroFolder(settings), PathFromSjis(last));
  if (!FileExists(path)) return std::nullopt;
  const std::string title = ReadMacroTitle(path).value_or(last);
  return Sjis("直前に実行したQYマクロ ") + "\"" + title + "\"" + Sjis(" を実行します。");
}

std::string SettingsWriteError(const Settings& settings, const FileResult& result) {
  return Sjis("設定ファイルに書き込めませんでした。") + "\r\n" +
         PathToSjis(settings.file().path()) + "\r\n" + result.error;
}

}  // namespace qy
