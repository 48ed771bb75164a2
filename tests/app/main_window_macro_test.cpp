// Macros run from the main window's macro menu: the host routines reach the
// model and the views, the menu is closed while a run goes on, and the stop
// command, the pause box and the registered items work as the user sees them.
#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "core/codec.h"
#include "core/files.h"
#include "macro/macro_run_settings.h"
#include "window_fixture.h"

using qy::Sjis;
using qy::app::MainWindow;
using qy::app::testing::WindowFixture;

namespace {

// A macro file in the program folder (the macro folder of a first start).
std::string WriteMacro(WindowFixture& f, const std::string& name, const std::string& utf8) {
  const std::string path = f.folder.File(name);
  if (!qy::WriteFileAtomic(path, Sjis(utf8))) return {};
  return path;
}

// Calls `check` from the window's event pump until it returns true, at most
// for `limit` milliseconds. The timer belongs to `window`, so it can never
// outlive the test that set it up.
void PollDuringRun(MainWindow& window, const std::function<bool()>& check, int limit = 5000) {
  auto* timer = new QTimer(&window);
  timer->setInterval(5);
  auto* elapsed = new int(0);
  QObject::connect(timer, &QTimer::timeout, [timer, elapsed, check, limit] {
    *elapsed += 5;
    if (check() || *elapsed >= limit) {
      timer->stop();
      timer->deleteLater();
      delete elapsed;
    }
  });
  timer->start();
}

// A shown window that runs the macro `Run` writes as its macro menu does.
struct MacroWindow {
  MacroWindow() : window(&f.Start()) { window->show(); }
  void Run(const std::string& name, const std::string& utf8) {
    window->macro_runner().RunFile(WriteMacro(f, name, utf8), true);
  }
  WindowFixture f;
  MainWindow* window;
};

}  // namespace

class MainWindowMacroTest : public QObject {
  Q_OBJECT

 private slots:
  void ChosenMacroSetsTitleWhileMenuIsClosed() {
    MacroWindow m;
    MainWindow& window = *m.window;

    bool seen = false, run_enabled = true, new_enabled = true, stop_enabled = false;
    QString label;
    PollDuringRun(window, [&] {
      if (!window.macro_runner().running()) return false;
      seen = true;
      run_enabled = window.commands().action(qy::kCmdMacRun)->isEnabled();
      new_enabled = window.commands().action(qy::kCmdNewPro)->isEnabled();
      stop_enabled = window.findChild<QAction*>(QStringLiteral("mnuMacStop"))->isEnabled();
      label = window.tree_pane()->tree()->ItemOf(1)->text(0);
      return true;
    });
    m.Run("title.p2s",
          "var i: integer;\r\n"
          "begin SetPageTitle(0, 'マクロの題');\r\n"
          "  for i := 1 to 100 do begin ProcessMessages; Sleep(10) end\r\n"
          "end.");

    QVERIFY(seen && !run_enabled && !new_enabled && stop_enabled);
    // The label changed as soon as the routine returned, not at the run's end.
    QVERIFY2(label.contains(QStringLiteral("マクロの題")), qPrintable(label));
    QVERIFY(window.commands().action(qy::kCmdMacRun)->isEnabled());
    QVERIFY(!window.findChild<QAction*>(QStringLiteral("mnuMacStop"))->isEnabled());
    QVERIFY(m.f.prompter.shown.empty());
  }

  void StopAndRefusedNewWhileRunning() {
    MacroWindow m;
    MainWindow& window = *m.window;
    // Without the stop the step limit ends the run with an error message.
    window.macro_component().set_step_limit(20'000'000);
    // New is refused with a question; No keeps the macro running, Yes stops
    // it quietly and keeps the project.
    m.f.prompter.answers = {qy::Answer::kNo, qy::Answer::kYes};
    int asks = 0;
    PollDuringRun(window, [&] {
      if (!window.macro_runner().running()) return false;
      window.RunCommand(qy::kCmdNewPro);
      return ++asks == 2;
    });
    m.Run("endless.p2s", "begin SetPageTitle(0, 'A'); while 1 do ProcessMessages end.");
    QCOMPARE(asks, 2);
    QVERIFY(!window.macro_runner().running());
    QCOMPARE(m.f.prompter.shown.size(), std::size_t{2});

    // The stop item ends a run too.
    PollDuringRun(window, [&] {
      if (!window.macro_runner().running()) return false;
      window.findChild<QAction*>(QStringLiteral("mnuMacStop"))->trigger();
      return true;
    });
    m.Run("endless2.p2s", "begin while 1 do SetPageTitle(0, 'B') end.");
    QVERIFY(!window.macro_runner().running());
    QCOMPARE(window.model().Page(1).Title, std::string("B"));
    QCOMPARE(m.f.prompter.shown.size(), std::size_t{2});
  }

  void PauseBoxResumesOrStops_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("title");
    QTest::newRow("resume") << QStringLiteral("btnResume") << QStringLiteral("後");
    QTest::newRow("stop") << QStringLiteral("btnStop") << QStringLiteral("前");
  }

  void PauseBoxResumesOrStops() {
    QFETCH(QString, button);
    QFETCH(QString, title);
    MacroWindow m;
    MainWindow& window = *m.window;
    bool box_visible = false;
    bool menu_closed = false;
    PollDuringRun(window, [&] {
      QMessageBox* box = window.macro_pause_box();
      if (!box) return false;
      box_visible = box->isVisible();
      // The paused run still holds the menu closed.
      menu_closed = !window.commands().action(qy::kCmdMacRun)->isEnabled();
      box->findChild<QPushButton*>(button)->click();
      return true;
    });
    m.Run("pause.p2s", "begin SetPageTitle(0, '前'); Pause; SetPageTitle(0, '後') end.");
    QVERIFY(box_visible && menu_closed);
    QVERIFY(!window.macro_runner().running());
    QCOMPARE(window.model().Page(1).Title, Sjis(title.toStdString()));
    QVERIFY(window.macro_pause_box() == nullptr);
  }

  void RegisteredMacrosFillTheMenu() {
    WindowFixture f;
    {
      MainWindow& first = f.Start();
      QVERIFY(qy::WriteMacroRegistrations(
          first.settings(), {{"one.p2s", Sjis("一番目")}, {"two.p2s", Sjis("二番目")}}));
    }
    WriteMacro(f, "one.p2s", "SetPageTitle(0, 'one')");
    WriteMacro(f, "two.p2s", "SetPageTitle(0, 'two')");
    MainWindow& window = f.Start();
    window.show();
    QAction* first = window.commands().action(qy::kCmdMac00);
    QVERIFY(first->isVisible() && !window.commands().action(qy::kCmdMac02)->isVisible());
    QCOMPARE(first->text(), QStringLiteral("一番目"));
    // Each item runs its own registration.
    window.RunCommand(qy::kCmdMac01);
    QCOMPARE(window.model().Page(1).Title, std::string("two"));
    first->trigger();
    QCOMPARE(window.model().Page(1).Title, std::string("one"));
  }
};

QTEST_MAIN(MainWindowMacroTest)
#include "main_window_macro_test.moc"
