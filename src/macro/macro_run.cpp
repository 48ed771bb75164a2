#include "macro/macro_run.h"

#include "core/codec.h"
#include "core/files.h"
#include "core/native_path.h"
#include "core/settings_keys.h"
#include "macro/macro_error.h"

namespace qy {

MacroRunner::MacroRunner(TPoorPascal& pascal, Settings& settings, Prompter& prompter,
                         FileChooser& chooser)
    : pascal_(pascal), settings_(settings), prompter_(prompter), chooser_(chooser) {}

MacroFolderCheck MacroRunner::CheckFolder() {
  const std::string folder = MacroFolder(settings_);
  if (!folder.empty() && DirectoryExists(folder)) return MacroFolderCheck::kExists;

  prompter_.Warning(Sjis("収納フォルダ ") + PathToSjis(folder) + Sjis(" は存在しません。") +
                    "\r\n\r\n" + Sjis("QYマクロ収納フォルダを設定します。"));
  const std::optional<std::string> chosen = chooser_.ChooseFolder(
      Sjis("\"QYマクロ収納フォルダ\" にするフォルダを選択してください。"), folder);
  if (!chosen || chosen->empty()) {
    prompter_.Information(Sjis("収納フォルダを設定しませんでした。"));
    return MacroFolderCheck::kCancelled;
  }
  if (FileResult written = settings_.SetString(keys::kMacroFold, PathToSjis(*chosen)); !written) {
    prompter_.Error(SettingsWriteError(settings_, written));
    return MacroFolderCheck::kCancelled;
  }
  prompter_.Information(Sjis("収納フォルダを ") + PathToSjis(*chosen) + Sjis(" に設定しました。") +
                        "\r\n\r\n" + Sjis("｢QYマクロメニュー｣ の登録内容はクリアされます。"));
  return MacroFolderCheck::kChosen;
}

void MacroRunner::ClearRegistrations() {
  if (FileResult r = ClearMacroRegistrations(settings_); !r) {
    prompter_.Error(SettingsWriteError(settings_, r));
  }
}

bool MacroRunner::ChangeFolder(const std::string& native_folder) {
  const std::string folder = PathToSjis(native_folder);
  if (SamePath(folder, settings_.GetString(keys::kMacroFold))) return false;
  const std::string question =
      Sjis("QYマクロ収納フォルダの設定が変更されています。") + "\r\n\r\n" +
      Sjis("収納フォルダを変更すると ｢QYマクロメニュー｣ の登録内容がすべて") + "\r\n" +
      Sjis("クリアされます。QYマクロ収納フォルダを変更してよろしいですか？");
  if (prompter_.Ask(question, Buttons::kYesNo, Beep::kQuestion) != Answer::kYes) return false;
  if (FileResult written = settings_.SetString(keys::kMacroFold, folder); !written) {
    prompter_.Error(SettingsWriteError(settings_, written));
    return false;
  }
  prompter_.Information(Sjis("収納フォルダを ") + folder + Sjis(" に設定しました。") + "\r\n\r\n" +
                        Sjis("｢QYマクロメニュー｣ の登録内容はクリアされます。"));
  ForgetRegistrations();
  return true;
}

void MacroRunner::ForgetRegistrations() {
  ClearRegistrations();
  if (rebuild_menus) rebuild_menus();
}

void MacroRunner::SetEnabled(bool enabled) {
  if (commands_enabled_ == enabled) return;
  commands_enabled_ = enabled;
  if (on_state_changed) on_state_changed();
}

void MacroRunner::UpdateLastMacroHint() {
  if (!set_last_macro_hint) return;
  if (std::optional<std::string> hint = LastMacroHint(settings_)) set_last_macro_hint(*hint);
}

std::optional<std::string> MacroRunner::DefaultChooseMacro(const std::string& native_folder) {
  FileDialogOptions options;
  options.title = Sjis("QYマクロを指定して実行");
  options.filter = Sjis("QYマクロ (*.p2s)|*.p2s");
  options.default_extension = "p2s";
  options.initial_path = native_folder;
  options.must_exist = true;
  return chooser_.ChooseOpenFile(options);
}

MacroRunResult MacroRunner::RunChosen() {
  if (running_) return MacroRunResult::kNotStarted;
  const MacroFolderCheck check = CheckFolder();
  if (check == MacroFolderCheck::kCancelled) return MacroRunResult::kNotStarted;
  const bool disable = check == MacroFolderCheck::kExists;
  if (check == MacroFolderCheck::kChosen) ForgetRegistrations();

  if (disable) SetEnabled(false);
  const std::string folder = MacroFolder(settings_);
  const std::optional<std::string> chosen =
      choose_macro ? choose_macro(folder) : DefaultChooseMacro(folder);
  MacroRunResult result = MacroRunResult::kNotStarted;
  if (chosen && !chosen->empty()) {
    if (FileResult r = settings_.SetString(keys::kMacroLastMacro, PathToSjis(FileNameOf(*chosen)));
        !r) {
      prompter_.Error(SettingsWriteError(settings_, r));
    }
    UpdateLastMacroHint();
    result = RunFile(*chosen, disable);
  }
  if (disable) SetEnabled(true);
  return result;
}

MacroRunResult MacroRunner::RunLast() {
  if (running_) return MacroRunResult::kNotStarted;
  const std::string last = settings_.GetString(keys::kMacroLastMacro);
  if (last.empty()) return MacroRunResult::kNotStarted;
  const std::string path = MacroPath(MacroFolder(settings_), PathFromSjis(last));
  if (!FileExists(path)) return MacroRunResult::kNotStarted;
  return RunFile(path, false);
}

MacroRunResult MacroRunner::RunRegistered(int n, bool from_menu) {
  if (running_) return MacroRunResult::kNotStarted;
  const std::string fold = settings_.GetString(keys::kMacroFold);
  const std::string folder = PathFromSjis(fold);
  if (folder.empty() || !DirectoryExists(folder)) {
    prompter_.Warning(Sjis("収納フォルダ ") + fold + Sjis(" は存在しません。") + "\r\n\r\n" +
                      Sjis("QYマクロ収納フォルダを設定し直してください。"));
    return MacroRunResult::kNotStarted;
  }
  const MacroRegistration registration = ReadMacroRegistration(settings_, n);
  if (registration.file.empty()) return MacroRunResult::kNotStarted;
  const std::string path = MacroPath(folder, PathFromSjis(registration.file));
  if (!FileExists(path)) {
    prompter_.Warning("\r\n" + Sjis("QYマクロ ") + PathToSjis(path) + Sjis(" は存在しません。"));
    return MacroRunResult::kNotStarted;
  }
  return RunFile(path, from_menu);
}

void MacroRunner::Register() {
  const MacroFolderCheck check = CheckFolder();
  if (check == MacroFolderCheck::kCancelled) return;
  if (check == MacroFolderCheck::kChosen) ForgetRegistrations();
  if (open_registration_dialog) open_registration_dialog();
}

std::vector<MacroMenuItem> MacroRunner::MenuItems() const {
  std::vector<MacroMenuItem> items;
  const std::vector<MacroRegistration> list = ReadMacroRegistrations(settings_);
  for (std::size_t n = 0; n < list.size(); ++n) {
    items.push_back({static_cast<int>(n), list[n].title, RegisteredMacroHint(list[n].title)});
  }
  return items;
}

MacroRunResult MacroRunner::RunFile(const std::string& native_path, bool disable_commands) {
  if (running_ || pascal_.Running()) return MacroRunResult::kNotStarted;
  std::string error;
  std::optional<std::string> source = ReadWholeFile(native_path, &error);
  if (!source) {
    prompter_.Error(Sjis("QYマクロ ") + PathToSjis(native_path) +
                    Sjis(" を読み込めませんでした。") + "\r\n" + error);
    return MacroRunResult::kNotStarted;
  }
  pascal_.SetSource(*source);

  // The state comes back however the run ends, an unexpected exception too.
  struct Restore {
    MacroRunner& runner;
    bool enable;
    ~Restore() {
      runner.running_ = false;
      if (enable) runner.SetEnabled(true);
      if (runner.on_state_changed) runner.on_state_changed();
    }
  };
  running_ = true;
  if (disable_commands) SetEnabled(false);
  if (on_state_changed) on_state_changed();
  Restore restore{*this, disable_commands};
  try {
    pascal_.Execute();
  } catch (const MacroError& e) {
    if (report_error) {
      report_error(e.message());
    } else {
      prompter_.Error(e.message());
    }
    return MacroRunResult::kFailed;
  }
  return MacroRunResult::kCompleted;
}

}  // namespace qy
