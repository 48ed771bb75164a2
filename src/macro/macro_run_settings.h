// What the macro menu keeps in the settings file (section "Macro": the
// folder, the last macro run and up to 20 registered macros) and the title
// line of a macro file. Texts are Shift-JIS; paths handed to the file system
// are native (see core/native_path.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files.h"
#include "core/settings.h"

namespace qy {

// A macro registered as a menu command: its file name relative to the macro
// folder and the title its menu item shows.
struct MacroRegistration {
  std::string file;
  std::string title;
  bool operator==(const MacroRegistration&) const = default;
};

// The title of a macro source: the rest of the first line after "//T=" when
// the first four characters of that line, upper-cased, are "//T="; nullopt
// otherwise.
std::optional<std::string> MacroTitleLine(std::string_view source);
// The title line of a macro file; nullopt when it has none or can not be read.
std::optional<std::string> ReadMacroTitle(const std::string& native_path);

// A "Menu%.2d" value as written: two double quotes, the file name, '","',
// the title, two double quotes. A double quote inside an item is doubled, so
// that the item reads back unchanged.
std::string FormatMacroMenuValue(const MacroRegistration& registration);
// A value as read (the settings file has removed one pair of quotes): a
// comma-separated list whose item 0 is the file and item 1 the title.
MacroRegistration ParseMacroMenuValue(const std::string& value);

// The registration in "Menu%.2d" for n (0..19); empty file and title when the
// key is empty or n is outside.
MacroRegistration ReadMacroRegistration(const Settings& settings, int n);
// "Count" read and bounded to 0..20, then that many registrations.
std::vector<MacroRegistration> ReadMacroRegistrations(const Settings& settings);
// Writes "Count" and Menu00.. for the given list (at most 20 are kept), and
// empties the keys after it.
FileResult WriteMacroRegistrations(Settings& settings,
                                   const std::vector<MacroRegistration>& registrations);
// "Count" := 0 and every "Menu%.2d" := ''.
FileResult ClearMacroRegistrations(Settings& settings);

// The macro folder as set ("Fold"), native.
std::string MacroFolder(const Settings& settings);
// `folder` + `file` with one separator between them.
std::string MacroPath(const std::string& native_folder, const std::string& native_file);

// Hint of a registered macro's menu item:
// "QYマクロ "title" を実行します。"
std::string RegisteredMacroHint(const std::string& title);
// Hint of the three items that run the last macro:
// "直前に実行したQYマクロ "title" を実行します。", with the file's title line
// or its file name. nullopt when "LastMacro" is empty or its file is missing.
std::optional<std::string> LastMacroHint(const Settings& settings);

// "設定ファイルに書き込めませんでした。" with the file and the reason.
std::string SettingsWriteError(const Settings& settings, const FileResult& result);

}  // namespace qy
