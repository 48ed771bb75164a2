// A main window in a temporary program folder with a scripted prompter, for
// the desktop program's QtTest programs.
#pragma once

#include <QString>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "core/files.h"
#include "core/ini_file.h"
#include "support/fakes.h"

namespace qy::app::testing {

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

  // The settings file's value of `key` in `section` ("" when missing).
  std::string Setting(const std::string& section, const std::string& key) const {
    return IniFile(options.settings_path).ReadString(section, key);
  }

  qy::testing::TempDir folder;
  qy::testing::FakePrompter prompter;
  MainWindowOptions options;
  std::unique_ptr<MainWindow> window;
};

// A copy of the sample project in `folder`, so that a test may save it.
inline std::string CopySample(const qy::testing::TempDir& folder) {
  const std::string copy = folder.File("sample.qyp");
  CopyFile(std::string(QY_EXAMPLES_DIR) + "/sample.qyp", copy);
  return copy;
}

}  // namespace qy::app::testing
