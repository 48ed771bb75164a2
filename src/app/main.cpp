#include <QApplication>
#include <QIcon>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/toolbar_icons.h"
#include "app/translations.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillory"));
  QApplication::setApplicationVersion(QStringLiteral(QY_VERSION));
  // Ties the window to the installed quillory.desktop (its icon and name in
  // the desktop's task bar).
  QGuiApplication::setDesktopFileName(QStringLiteral("quillory"));
  qy::app::InstallQtTranslations(app);
  qy::app::SelectIconTheme();
  QApplication::setWindowIcon(qy::app::ApplicationIcon());
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);

  qy::app::MainWindow window;
  window.show();
  window.OpenFromCommandLine(qy::app::CommandLineFile(arguments));
  return app.exec();
}
