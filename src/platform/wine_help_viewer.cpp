#include "platform/wine_help_viewer.h"

#include "build/compiler_command.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/native_path.h"
#include "platform/posix_process_runner.h"

namespace qy {

namespace {

std::string OpenedAtContentsNote(const std::string& what) {
  return "\r\n" + Sjis("ヘルプビューア (Wine の winhlp32) は") + what + Sjis("を開けません。") +
         "\r\n\r\n" + Sjis("ヘルプファイルを最初のトピックから表示します。");
}

}  // namespace

WineHelpViewer::WineHelpViewer(Prompter& prompter, ProcessRunner& runner)
    : viewer_installed([] { return !FindProgram(kWineProgram).empty(); }),
      wine_path(WineWindowsPath),
      prompter_(prompter),
      runner_(runner) {}

std::string WineHelpViewer::FileOf(const std::string& help_file) {
  const std::size_t mark = help_file.rfind('>');
  return mark == std::string::npos ? help_file : help_file.substr(0, mark);
}

std::vector<std::string> WineHelpViewer::Arguments(const std::string& help_file,
                                                   const std::vector<std::string>& options,
                                                   const WinePathFn& wine_path) {
  const std::string file = FileOf(help_file);
  std::vector<std::string> arguments{"winhlp32"};
  arguments.insert(arguments.end(), options.begin(), options.end());
  arguments.push_back((wine_path ? wine_path(file) : file) + help_file.substr(file.size()));
  return arguments;
}

bool WineHelpViewer::Run(const std::string& help_file, const std::vector<std::string>& options,
                         const std::string& note) {
  const std::string file = FileOf(help_file);
  if (!FileExists(file)) {
    prompter_.Warning("\r\n" + Sjis("ヘルプファイル ") + PathToSjis(file) +
                      Sjis(" が見つかりません。"));
    return false;
  }
  if (!viewer_installed || !viewer_installed()) {
    prompter_.Warning("\r\n" + Sjis("ヘルプファイルを表示できません。") + "\r\n\r\n" +
                      Sjis("ヘルプビューア (Wine の winhlp32) がインストールされていません。"));
    return false;
  }
  const ProcessResult result =
      runner_.Start(kWineProgram, Arguments(help_file, options, wine_path), "", false);
  if (!result.started) {
    prompter_.Warning("\r\n" + Sjis("ヘルプビューア (Wine の winhlp32) を起動できませんでした。") +
                      "\r\n" + result.error);
    return false;
  }
  if (!note.empty()) prompter_.Information(note);
  return true;
}

bool WineHelpViewer::ShowContents(const std::string& help_file) { return Run(help_file, {}, ""); }

bool WineHelpViewer::ShowContext(const std::string& help_file, int context_number) {
  return Run(help_file, {},
             OpenedAtContentsNote(Sjis("トピックを番号 (") + std::to_string(context_number) +
                                  Sjis(") で")));
}

bool WineHelpViewer::ShowKeyword(const std::string& help_file, const std::string& keyword) {
  return Run(help_file, {},
             OpenedAtContentsNote(Sjis("キーワード「") + keyword + Sjis("」のトピックを直接")));
}

bool WineHelpViewer::ShowTopic(const std::string& help_file, const std::string& context,
                               int context_number) {
  if (context.empty()) return ShowContext(help_file, context_number);
  return Run(help_file, {"-i", Cp932ToUtf8(context)}, "");
}

}  // namespace qy
