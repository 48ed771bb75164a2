// Macros run from the main window's macro menu: the host routines reach the
// model and the views, the menu is closed while a run goes on, and the stop
// command, the pause box and the registered items work as the user sees them.
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/qt_text.h"
#include "core/codec.h"
#include "core/files.h"
#include "macro/macro_run_settings.h"
#include "window_fixture.h"

using qy::Sjis;
using qy::app::MainWindow;
using qy::app::testing::WindowFixture;

namespace {

// The open-file dialog answers with one prepared path.
class ScriptedChooser : public qy::FileChooser {
 public:
  std::optional<std::string> ChooseOpenFile(const qy::FileDialogOptions&) override {
    ++asked;
    return answer;
  }
  std::optional<std::string> ChooseSaveFile(const qy::FileDialogOptions&) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> answer;
  int asked = 0;
};

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

QString TreeLabel(MainWindow& window, int page) {
  QTreeWidgetItem* item = window.tree_pane()->tree()->ItemOf(page);
  return item ? item->text(0) : QString();
}

}  // namespace

class MainWindowMacroTest : public QObject {
  Q_OBJECT

 private slots:
  void ChosenMacroSetsTitleWhileMenuIsClosed();
  void StopAndRefusedNewWhileRunning();
  void PauseBoxResumesOrStops_data();
  void PauseBoxResumesOrStops();
  void RegisteredMacrosFillTheMenu();
  void FailedRunShowsErrorAndReopensMenu();
};

void MainWindowMacroTest::ChosenMacroSetsTitleWhileMenuIsClosed() {
  WindowFixture f;
  ScriptedChooser chooser;
  f.options.chooser = &chooser;
  MainWindow& window = f.Start();
  window.show();
  chooser.answer = WriteMacro(f, "title.p2s",
                              "//T=題を付ける\r\n"
                              "var i: integer;\r\n"
                              "begin SetPageTitle(0, 'マクロの題');\r\n"
                              "  for i := 1 to 100 do begin ProcessMessages; Sleep(10) end\r\n"
                              "end.");
  QVERIFY(!chooser.answer->empty());
  QCOMPARE(window.status().PanelText(qy::app::kModifiedPanel), QString());

  struct During {
    bool seen = false;
    bool run_enabled = true, last_enabled = true, new_enabled = true, stop_enabled = false;
    QString label;
  } during;
  PollDuringRun(window, [&] {
    if (!window.macro_runner().running()) return false;
    during.seen = true;
    during.run_enabled = window.commands().action(qy::kCmdMacRun)->isEnabled();
    during.last_enabled = window.commands().action(qy::kCmdMacLast)->isEnabled();
    during.new_enabled = window.commands().action(qy::kCmdNewPro)->isEnabled();
    during.stop_enabled = window.findChild<QAction*>(QStringLiteral("mnuMacStop"))->isEnabled();
    during.label = TreeLabel(window, 1);
    return true;
  });
  window.RunCommand(qy::kCmdMacRun);

  QCOMPARE(chooser.asked, 1);
  QVERIFY(during.seen);
  QVERIFY(!during.run_enabled);
  QVERIFY(!during.last_enabled);
  QVERIFY(!during.new_enabled);
  QVERIFY(during.stop_enabled);
  // The label changed as soon as the routine returned, not at the run's end.
  QVERIFY2(during.label.contains(QStringLiteral("マクロの題")), qPrintable(during.label));

  QCOMPARE(window.model().Page(1).Title, Sjis("マクロの題"));
  QVERIFY(TreeLabel(window, 1).contains(QStringLiteral("マクロの題")));
  QCOMPARE(window.status().PanelText(qy::app::kModifiedPanel), QStringLiteral("変更"));
  QVERIFY(window.commands().action(qy::kCmdMacRun)->isEnabled());
  QVERIFY(window.commands().action(qy::kCmdNewPro)->isEnabled());
  QVERIFY(!window.findChild<QAction*>(QStringLiteral("mnuMacStop"))->isEnabled());
  // The last macro is remembered, and its item says which it is.
  QCOMPARE(f.Setting("Macro", "LastMacro"), std::string("title.p2s"));
  QVERIFY(window.commands()
              .action(qy::kCmdMacLast)
              ->statusTip()
              .contains(QStringLiteral("題を付ける")));
  QVERIFY(f.prompter.shown.empty());
}

void MainWindowMacroTest::StopAndRefusedNewWhileRunning() {
  WindowFixture f;
  ScriptedChooser chooser;
  f.options.chooser = &chooser;
  MainWindow& window = f.Start();
  window.show();
  const std::string caption = window.windowTitle().toStdString();
  // Without the stop the step limit ends the run with an error message.
  window.macro_component().set_step_limit(20'000'000);
  chooser.answer =
      WriteMacro(f, "endless.p2s", "begin SetPageTitle(0, 'A'); while 1 do ProcessMessages end.");
  f.prompter.answers = {qy::Answer::kNo, qy::Answer::kYes};
  int asks = 0;
  PollDuringRun(window, [&] {
    if (!window.macro_runner().running()) return false;
    // New is refused; the first answer keeps the macro running.
    window.RunCommand(qy::kCmdNewPro);
    if (++asks < 2) return false;
    return true;
  });
  window.RunCommand(qy::kCmdMacRun);

  QCOMPARE(asks, 2);
  QVERIFY(!window.macro_runner().running());
  // The second answer stopped the run quietly; the project was kept.
  QCOMPARE(f.prompter.shown.size(), std::size_t{2});
  QCOMPARE(f.prompter.shown[0].kind, std::string("ask"));
  QCOMPARE(f.prompter.shown[0].text,
           Sjis("QYマクロを実行中です。") + "\r\n\r\n" + Sjis("QYマクロの実行を中止しますか？"));
  QCOMPARE(window.model().PageCount(), 1);
  QCOMPARE(window.model().Page(1).Title, std::string("A"));
  QCOMPARE(window.windowTitle().toStdString(), caption);
  QVERIFY(window.commands().action(qy::kCmdMacRun)->isEnabled());

  // The stop item ends a run too.
  chooser.answer = WriteMacro(f, "endless2.p2s", "begin while 1 do SetPageTitle(0, 'B') end.");
  PollDuringRun(window, [&] {
    if (!window.macro_runner().running()) return false;
    window.findChild<QAction*>(QStringLiteral("mnuMacStop"))->trigger();
    return true;
  });
  window.RunCommand(qy::kCmdMacRun);
  QVERIFY(!window.macro_runner().running());
  QCOMPARE(window.model().Page(1).Title, std::string("B"));
  QCOMPARE(f.prompter.shown.size(), std::size_t{2});
}

void MainWindowMacroTest::PauseBoxResumesOrStops_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("title");
  QTest::newRow("resume") << QStringLiteral("btnResume") << QStringLiteral("後");
  QTest::newRow("stop") << QStringLiteral("btnStop") << QStringLiteral("前");
}

void MainWindowMacroTest::PauseBoxResumesOrStops() {
  QFETCH(QString, button);
  QFETCH(QString, title);
  WindowFixture f;
  ScriptedChooser chooser;
  f.options.chooser = &chooser;
  MainWindow& window = f.Start();
  window.show();
  chooser.answer =
      WriteMacro(f, "pause.p2s", "begin SetPageTitle(0, '前'); Pause; SetPageTitle(0, '後') end.");
  bool box_seen = false;
  bool box_visible = false;
  bool menu_closed = false;
  QString box_text;
  PollDuringRun(window, [&] {
    QMessageBox* box = window.macro_pause_box();
    if (!box) return false;
    box_seen = true;
    box_visible = box->isVisible();
    box_text = box->text();
    // The paused run still holds the menu closed.
    menu_closed = !window.commands().action(qy::kCmdMacRun)->isEnabled();
    box->findChild<QPushButton*>(button)->click();
    return true;
  });
  window.RunCommand(qy::kCmdMacRun);

  QVERIFY(box_seen);
  QVERIFY(box_visible);
  QVERIFY(menu_closed);
  QCOMPARE(box_text, QStringLiteral("一時停止中"));
  QVERIFY(!window.macro_runner().running());
  QCOMPARE(window.model().Page(1).Title, Sjis(title.toStdString()));
  QVERIFY(window.macro_pause_box() == nullptr);
  QVERIFY(f.prompter.shown.empty());
}

void MainWindowMacroTest::RegisteredMacrosFillTheMenu() {
  WindowFixture f;
  {
    MainWindow& first = f.Start();
    QVERIFY(!first.commands().action(qy::kCmdMac00)->isVisible());
    QVERIFY(qy::WriteMacroRegistrations(
        first.settings(), {{"one.p2s", Sjis("一番目")}, {"two.p2s", Sjis("二番目")}}));
  }
  WriteMacro(f, "one.p2s", "SetPageTitle(0, 'one')");
  WriteMacro(f, "two.p2s", "SetPageTitle(0, 'two')");
  MainWindow& window = f.Start();
  window.show();
  QAction* first = window.commands().action(qy::kCmdMac00);
  QAction* second = window.commands().action(qy::kCmdMac01);
  QVERIFY(first->isVisible() && second->isVisible());
  QVERIFY(!window.commands().action(qy::kCmdMac02)->isVisible());
  QCOMPARE(first->text(), QStringLiteral("一番目"));
  QVERIFY(second->statusTip().contains(QStringLiteral("二番目")));

  window.RunCommand(qy::kCmdMac01);
  QCOMPARE(window.model().Page(1).Title, std::string("two"));
  // Each item runs its own registration.
  QVERIFY(first->isEnabled());
  first->trigger();
  QCOMPARE(window.model().Page(1).Title, std::string("one"));
}

void MainWindowMacroTest::FailedRunShowsErrorAndReopensMenu() {
  WindowFixture f;
  ScriptedChooser chooser;
  f.options.chooser = &chooser;
  MainWindow& window = f.Start();
  chooser.answer = WriteMacro(f, "bad.p2s", "SetPageTitle(0, 'x'); 1 := 2;");
  window.RunCommand(qy::kCmdMacRun);
  QCOMPARE(f.prompter.shown.size(), std::size_t{1});
  QCOMPARE(f.prompter.shown[0].kind, std::string("error"));
  QCOMPARE(window.model().Page(1).Title, std::string("x"));
  QVERIFY(window.commands().action(qy::kCmdMacRun)->isEnabled());
  QVERIFY(!window.macro_runner().running());
}

QTEST_MAIN(MainWindowMacroTest)
#include "main_window_macro_test.moc"
