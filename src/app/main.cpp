#include <QApplication>
#include <string>
#include <vector>

#include "app/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillory"));
  QApplication::setApplicationVersion(QStringLiteral(QY_VERSION));
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);

  qy::app::MainWindow window;
  window.show();
  window.OpenFromCommandLine(qy::app::CommandLineFile(arguments));
  return app.exec();
}
