// Support for the desktop program's QtTest programs: a main window in a
// temporary program folder with a scripted prompter, driving modal dialogs,
// and pictures of dialogs for the documentation.
#pragma once

#include <QApplication>
#include <QDir>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "core/files.h"
#include "core/ini_file.h"
#include "support/fakes.h"

namespace qy::app::testing {

// A copy of the sample project in `folder`, so that a test may save it.
inline std::string CopySample(const qy::testing::TempDir& folder) {
  const std::string copy = folder.File("sample.qyp");
  CopyFile(std::string(QY_EXAMPLES_DIR) + "/sample.qyp", copy);
  return copy;
}

struct WindowFixture {
  WindowFixture() {
    options.program_folder = folder.path();
    options.settings_path = folder.File("quillory.ini");
    options.key_file_path = folder.File("quillory.kst");
    options.toolbar_file_path = folder.File("quillory.bar");
    options.prompter = &prompter;
  }

  MainWindow& Start() {
    window = std::make_unique<MainWindow>(options);
    return *window;
  }

  // Start() with a copy of the sample project open.
  MainWindow& StartWithSample() {
    Start().OpenFromCommandLine(CopySample(folder));
    return *window;
  }

  // Shows `page` as a click in the page tree does.
  void Show(int page) {
    window->tree_pane()->tree()->setCurrentItem(window->tree_pane()->tree()->ItemOf(page));
  }

  // The settings file's value of `key` in `section` ("" when missing).
  std::string Setting(const std::string& section, const std::string& key) const {
    return IniFile(options.settings_path).ReadString(section, key);
  }

  qy::testing::TempDir folder;
  qy::testing::FakePrompter prompter;
  MainWindowOptions options;
  std::unique_ptr<MainWindow> window;
};

// Runs `act` on the modal dialog of type D as soon as it shows; whatever
// `act` leaves open (a failed check returns early) is cancelled, so a
// failure never blocks the test. The flag tells whether the dialog showed.
template <class D>
std::unique_ptr<bool> WhenShown(std::function<void(D&)> act) {
  auto seen = std::make_unique<bool>(false);
  QTimer::singleShot(0, [act, flag = seen.get()] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    if (!dialog) return;
    *flag = true;
    act(*dialog);
    if (dialog->isVisible()) dialog->reject();
  });
  return seen;
}

}  // namespace qy::app::testing

// Saves a picture of a dialog when QY_SCREENSHOT_DIR names a folder, so that
// a run under a real display with Japanese fonts documents the dialogs.
inline void SaveDialogShot(QWidget& dialog, const char* name) {
  const QString folder = qEnvironmentVariable("QY_SCREENSHOT_DIR");
  if (folder.isEmpty()) return;
  dialog.grab().save(QDir(folder).filePath(QString::fromLatin1(name) + ".png"));
}
