// Saves a picture of a dialog when QY_SCREENSHOT_DIR names a folder, so that
// a run under a real display with Japanese fonts documents the dialogs.
#pragma once

#include <QDir>
#include <QWidget>

inline void SaveDialogShot(QWidget& dialog, const char* name) {
  const QString folder = qEnvironmentVariable("QY_SCREENSHOT_DIR");
  if (folder.isEmpty()) return;
  dialog.grab().save(QDir(folder).filePath(QString::fromLatin1(name) + ".png"));
}
