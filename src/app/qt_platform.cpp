#include "app/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QStringList>

#include "app/qt_text.h"
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
    if (!description.contains(QLatin1Char('(')))
      description += QStringLiteral(" (%1)").arg(patterns);
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
  QFileDialog dialog(parent_, ToQt(options.title), StartPath(options),
                     QtFileFilter(options.filter));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(options.must_exist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QString::fromStdString(options.default_extension));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return Chosen(dialog.selectedFiles().first());
}

std::optional<std::string> QtFileChooser::ChooseSaveFile(const FileDialogOptions& options) {
  QFileDialog dialog(parent_, ToQt(options.title), StartPath(options),
                     QtFileFilter(options.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QString::fromStdString(options.default_extension));
  if (!options.confirm_overwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return Chosen(dialog.selectedFiles().first());
}

std::optional<std::string> QtFileChooser::ChooseFolder(const std::string& title,
                                                       const std::string& initial) {
  return Chosen(
      QFileDialog::getExistingDirectory(parent_, ToQt(title), QString::fromStdString(initial)));
}

}  // namespace qy::app
