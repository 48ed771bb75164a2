#include "app/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QStringList>

#include "app/qt_text.h"
#include "build/compiler_command.h"
#include "build/posix_process_runner.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/native_path.h"

namespace qy::app {

std::string QtClipboard::GetText() { return FromQt(QApplication::clipboard()->text()); }

void QtClipboard::SetText(const std::string& text) {
  QApplication::clipboard()->setText(ToQt(text));
}

QString QtFileFilter(const std::string& sjis_filter) {
  const QStringList parts = ToQt(sjis_filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
    if (!description.contains(QLatin1Char('('))) description += QStringLiteral(" (%1)").arg(patterns);
    filters << description;
  }
  return filters.join(QStringLiteral(";;"));
}

namespace {

QString StartPath(const FileDialogOptions& options) {
  return QString::fromStdString(options.initial_path);
}

std::optional<std::string> Chosen(const QString& file) {
  if (file.isEmpty()) return std::nullopt;
  return file.toStdString();
}

}  // namespace

std::optional<std::string> QtFileChooser::ChooseOpenFile(const FileDialogOptions& options) {
  QFileDialog dialog(parent_, ToQt(options.title), StartPath(options), QtFileFilter(options.filter));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(options.must_exist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QString::fromStdString(options.default_extension));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return Chosen(dialog.selectedFiles().first());
}

std::optional<std::string> QtFileChooser::ChooseSaveFile(const FileDialogOptions& options) {
  QFileDialog dialog(parent_, ToQt(options.title), StartPath(options), QtFileFilter(options.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QString::fromStdString(options.default_extension));
  if (!options.confirm_overwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return Chosen(dialog.selectedFiles().first());
}

std::optional<std::string> QtFileChooser::ChooseFolder(const std::string& title,
                                                       const std::string& initial) {
  return Chosen(QFileDialog::getExistingDirectory(parent_, ToQt(title),
                                                  QString::fromStdString(initial)));
}

std::string WineHelpViewer::FileOf(const std::string& help_file) {
  const std::size_t mark = help_file.rfind('>');
  return mark == std::string::npos ? help_file : help_file.substr(0, mark);
}

bool WineHelpViewer::Run(const std::string& help_file, std::vector<std::string> options) {
  const std::string file = FileOf(help_file);
  if (!FileExists(file)) {
    prompter_.Warning("\r\n" + Sjis("ヘルプファイル ") + PathToSjis(file) +
                      Sjis(" が見つかりません。"));
    return false;
  }
  if (FindProgram(kWineProgram).empty()) {
    prompter_.Warning("\r\n" + Sjis("ヘルプファイルを表示できません。") + "\r\n\r\n" +
                      Sjis("ヘルプビューア (Wine の winhlp32) がインストールされていません。"));
    return false;
  }
  std::vector<std::string> arguments{"winhlp32"};
  for (auto& option : options) arguments.push_back(std::move(option));
  arguments.push_back(WineWindowsPath(file));
  const ProcessResult result = runner_.Start(kWineProgram, arguments, "", false);
  if (!result.started) {
    prompter_.Warning("\r\n" + Sjis("ヘルプビューア (Wine の winhlp32) を起動できませんでした。") +
                      "\r\n" + result.error);
  }
  return result.started;
}

bool WineHelpViewer::ShowContents(const std::string& help_file) { return Run(help_file, {}); }

bool WineHelpViewer::ShowContext(const std::string& help_file, int context_number) {
  return Run(help_file, {"-n", std::to_string(context_number)});
}

bool WineHelpViewer::ShowKeyword(const std::string& help_file, const std::string& keyword) {
  return Run(help_file, {"-k", Cp932ToUtf8(keyword)});
}

}  // namespace qy::app
