// The brace-check window from its command: one window, checked by its
// button, rows leading to their pages, a silent re-check after an edit and
// closed with the project.
#include <QApplication>
#include <QTest>

#include "app/dialogs/brace_check_window.h"
#include "core/codec.h"
#include "window_fixture.h"

using qy::Sjis;
using qy::app::BraceCheckDialog;
using qy::app::OpenBraceCheckWindow;

class DialogsBraceCheckTest : public QObject {
  Q_OBJECT

 private slots:
  void ChecksListsLeadsAndFollowsTheProject();
};

void DialogsBraceCheckTest::ChecksListsLeadsAndFollowsTheProject() {
  qy::app::testing::WindowFixture f;
  qy::app::MainWindow& window = f.Start();
  window.OpenFromCommandLine(qy::app::testing::CopySample(f.folder));
  QVERIFY(window.model().PageCount() >= 3);
  for (int p = 1; p <= window.model().PageCount(); ++p) {
    window.model().MutablePage(p).Topic = "\\{x\\}";
  }
  window.model().MutablePage(3).Topic = Sjis("{\\b 表}{");
  const std::string context = window.model().Page(3).Context;

  window.RunCommand(qy::kCmdBraceChk);
  BraceCheckDialog* braces = OpenBraceCheckWindow(&window);
  QVERIFY(braces != nullptr);
  QVERIFY(braces->isVisible());
  QCOMPARE(braces->windowTitle(), QStringLiteral("括弧の適合チェック"));
  QCOMPARE(braces->list()->topLevelItemCount(), 0);  // opening does not check
  window.RunCommand(qy::kCmdBraceChk);
  QCOMPARE(window.findChildren<BraceCheckDialog*>().size(), qsizetype{1});

  braces->check_button()->click();
  QCOMPARE(f.prompter.Texts(),
           std::vector<std::string>{"\r\n1" + Sjis("ページの不適合ページがありました。")});
  QCOMPARE(braces->list()->topLevelItemCount(), 1);
  QTreeWidgetItem* row = braces->list()->topLevelItem(0);
  QCOMPARE(row->text(1).toStdString(), context);
  QCOMPARE(row->text(2), QStringLiteral("2個"));
  QCOMPARE(row->text(3), QStringLiteral("1個"));
  emit braces->list()->itemDoubleClicked(row, 0);
  QCOMPARE(window.model().CurrentPage(), 3);

  // An edit makes the list stale; coming back checks again without a word.
  window.model().MutablePage(3).Topic = "{}";
  braces->NoteTopicEdited();
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(braces, &activate);
  QCOMPARE(braces->list()->topLevelItemCount(), 0);
  QCOMPARE(f.prompter.shown.size(), std::size_t{1});

  // A new project closes the window.
  window.model().SetModified(false);
  window.RunCommand(qy::kCmdNewPro);
  QVERIFY(OpenBraceCheckWindow(&window) == nullptr);
}

QTEST_MAIN(DialogsBraceCheckTest)
#include "dialogs_brace_check_test.moc"
